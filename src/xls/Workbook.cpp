#include "Workbook.h"

#include "Biff.h"
#include "CompoundFile.h"
#include "LittleEndian.h"
#include "SharedStrings.h"

#include <QDate>

#include <algorithm>
#include <bit>
#include <cmath>

using LittleEndian::append16;
using LittleEndian::append32;

namespace {

constexpr quint16 bofRecord = 0x0809;
constexpr quint16 eofRecord = 0x000A;
constexpr quint16 codePageRecord = 0x0042;
constexpr quint16 window1Record = 0x003D;
constexpr quint16 dateModeRecord = 0x0022;
constexpr quint16 fontRecord = 0x0031;
constexpr quint16 formatRecord = 0x041E;
constexpr quint16 xfRecord = 0x00E0;
constexpr quint16 styleRecord = 0x0293;
constexpr quint16 boundSheetRecord = 0x0085;
constexpr quint16 dimensionsRecord = 0x0200;
constexpr quint16 window2Record = 0x023E;
constexpr quint16 labelSstRecord = 0x00FD;
constexpr quint16 numberRecord = 0x0203;

constexpr quint16 globalsSubstream = 0x0005;
constexpr quint16 worksheetSubstream = 0x0010;

constexpr qsizetype maxSheetRows = 65536;
constexpr qsizetype maxColumns = 256;
constexpr qsizetype maxTextLength = 32767;
// Spreadsheets show no date before this one.
const QDate firstExcelDay(1900, 1, 1);
constexpr qsizetype maxSheetName = 31;

constexpr qsizetype eofRecordSize = 4;
constexpr qsizetype longestCellRecord = 18; // a number

// Excel wants 15 style XFs before the cell XFs; every cell XF takes XF 0,
// the Normal style, as its parent.
constexpr int styleXfCount = 15;
constexpr quint16 generalXf = 15;
constexpr quint16 dateXf = 16;
// Lower numbers are Excel's built-in formats.
constexpr quint16 dateFormat = 164;

QByteArray word(quint16 value)
{
    QByteArray out;
    append16(out, value);
    return out;
}

QByteArray bof(quint16 substream)
{
    QByteArray out;
    append16(out, 0x0600); // BIFF8
    append16(out, substream);
    append16(out, 0x0DBB); // build and year of build of Excel 97
    append16(out, 0x07CC);
    append32(out, 0);      // file history flags
    append32(out, 0x0006); // lowest BIFF version that can read the file
    return out;
}

QByteArray window1()
{
    QByteArray out;
    append16(out, 0);      // left, in twips
    append16(out, 0);      // top
    append16(out, 15000);  // width
    append16(out, 9000);   // height
    append16(out, 0x0038); // scroll bars and sheet tabs shown
    append16(out, 0);      // active sheet
    append16(out, 0);      // first tab shown
    append16(out, 1);      // sheets selected
    append16(out, 600);    // the tabs take 60% of the horizontal scroll bar
    return out;
}

QByteArray font()
{
    QByteArray out;
    append16(out, 200);    // 10 points, in twentieths
    append16(out, 0);      // not italic, not struck out
    append16(out, 0x7FFF); // automatic colour
    append16(out, 400);    // normal weight
    append16(out, 0);      // neither superscript nor subscript
    out.append(4, '\0');   // no underline, any family, ANSI character set
    out += Biff::shortString(QStringLiteral("Arial"));
    return out;
}

QByteArray format(quint16 index, const QString &code)
{
    return word(index) + Biff::string(code);
}

// A style XF or a cell XF, either with Excel's defaults: font 0, locked,
// bottom aligned, no borders, automatic colours. ownAttributes flags the
// groups a cell XF sets itself rather than taking from its style, and for a
// style XF the groups it leaves undefined.
QByteArray xf(bool style, quint16 format, quint8 ownAttributes)
{
    QByteArray out;
    append16(out, 0);
    append16(out, format);
    append16(out, style ? 0xFFF5 : 0x0001); // a style XF's parent is 0xFFF, none
    out.append(char(0x20));
    out.append(2, '\0'); // no rotation, no indent
    out.append(char(ownAttributes));
    append32(out, 0);      // no borders
    append32(out, 0);      // no border colours, no fill pattern
    append16(out, 0x20C0); // fill colours 64 and 65: the system's
    return out;
}

QByteArray normalStyle()
{
    QByteArray out;
    append16(out, 0x8000); // a built-in style, on XF 0
    out.append(char(0));   // Normal
    out.append(char(0xFF)); // no outline level
    return out;
}

QByteArray globalsHead()
{
    QByteArray out;
    Biff::appendRecord(out, bofRecord, bof(globalsSubstream));
    Biff::appendRecord(out, codePageRecord, word(1200)); // UTF-16
    Biff::appendRecord(out, window1Record, window1());
    Biff::appendRecord(out, dateModeRecord, word(0)); // day 1 is 1900-01-01
    // Excel expects at least five fonts, which it numbers 0, 1, 2, 3 and 5:
    // there is no font 4.
    for (int i = 0; i < 5; ++i)
        Biff::appendRecord(out, fontRecord, font());
    Biff::appendRecord(out, formatRecord, format(dateFormat, QStringLiteral("m/d/yyyy")));
    Biff::appendRecord(out, xfRecord, xf(true, 0, 0));
    // Beyond Normal, Excel's own style XFs define only a font.
    for (int i = 1; i < styleXfCount; ++i)
        Biff::appendRecord(out, xfRecord, xf(true, 0, 0xF4));
    Biff::appendRecord(out, xfRecord, xf(false, 0, 0));
    Biff::appendRecord(out, xfRecord, xf(false, dateFormat, 0x04)); // its own number format
    Biff::appendRecord(out, styleRecord, normalStyle());
    return out;
}

QByteArray boundSheet(const QString &name)
{
    QByteArray out;
    append32(out, 0);    // where the sheet's BOF stands, set once known
    out.append(2, '\0'); // a visible worksheet
    out += Biff::shortString(name);
    return out;
}

QStringList sheetNames(const QString &sheetName, qsizetype count)
{
    QString base = sheetName;
    for (QChar &c : base) {
        if (QStringView(u":\\/?*[]").contains(c))
            c = u'_';
    }
    QStringList names;
    for (qsizetype i = 0; i < count; ++i) {
        const QString suffix = i == 0 ? QString() : QStringLiteral(" (%1)").arg(i + 1);
        names.append(base.left(maxSheetName - suffix.size()) + suffix);
    }
    return names;
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// Excel counts a 29 February 1900 that never was: from 1 March 1900 on its
// numbers count the days from 1899-12-30, before that from 1899-12-31, and
// 1900-01-01 is its first day.
double excelDay(QDate date)
{
    const QDate leapDayThatWasNot(1900, 3, 1);
    return QDate(1899, 12, date < leapDayThatWasNot ? 31 : 30).daysTo(date);
}

QByteArray window2(bool active)
{
    QByteArray out;
    // Grid lines, headers, zeros, outline symbols, automatic grid colour; the
    // first sheet is also the selected one, shown on opening.
    append16(out, active ? 0x06B6 : 0x00B6);
    append16(out, 0);  // top row shown
    append16(out, 0);  // left column shown
    append16(out, 64); // automatic grid colour
    append16(out, 0);
    append16(out, 0); // default zoom of the page break preview
    append16(out, 0); // default zoom
    append32(out, 0);
    return out;
}

// The DIMENSIONS record's data: the rows and the columns that hold cells.
QByteArray dimensions(quint32 rowEnd, quint16 columnEnd)
{
    QByteArray out;
    append32(out, 0); // first row
    append32(out, rowEnd);
    append16(out, 0); // first column
    append16(out, columnEnd);
    append16(out, 0);
    return out;
}

} // namespace

Workbook::Workbook(const QString &sheetName, const QStringList &columns, qsizetype expectedRows)
    : m_sheetName(sheetName), m_columns(columns.first(std::min(columns.size(), maxColumns)))
{
    // Every expected cell as the longest record: room never written costs no
    // memory, while a buffer that grows is moved.
    m_sheets.reserve((expectedRows + 1) * m_columns.size() * longestCellRecord);
    openSheet();
}

void Workbook::addRow(const QList<QVariant> &row)
{
    if (m_row == maxSheetRows) {
        closeSheet();
        openSheet();
    }
    for (qsizetype c = 0; c < std::min(row.size(), maxColumns); ++c)
        addCell(c, row.at(c));
    ++m_row;
}

QByteArrayList Workbook::finish()
{
    closeSheet();
    QByteArray globals = globalsHead();
    QList<qsizetype> sheetPositionFields;
    for (const QString &name : sheetNames(m_sheetName, m_sheetStarts.size())) {
        sheetPositionFields.append(globals.size() + 4); // past the record header
        Biff::appendRecord(globals, boundSheetRecord, boundSheet(name));
    }
    globals.reserve(globals.size() + m_strings.sizeBound() + eofRecordSize);
    m_strings.appendRecords(globals, 0);
    Biff::appendRecord(globals, eofRecord, {});
    for (qsizetype i = 0; i < m_sheetStarts.size(); ++i)
        LittleEndian::set32(globals, sheetPositionFields.at(i),
                            globals.size() + m_sheetStarts.at(i));
    const quint32 streamSize = globals.size() + m_sheets.size();
    return {CompoundFile::header(streamSize), globals, m_sheets,
            CompoundFile::trailer(QStringLiteral("Workbook"), streamSize)};
}

void Workbook::openSheet()
{
    m_sheetStarts.append(m_sheets.size());
    Biff::appendRecord(m_sheets, bofRecord, bof(worksheetSubstream));
    m_dimensionsAt = m_sheets.size() + 4; // set once the sheet is full
    Biff::appendRecord(m_sheets, dimensionsRecord, dimensions(0, 0));
    m_row = 0;
    m_rowEnd = 0;
    m_columnEnd = 0;
    for (qsizetype c = 0; c < m_columns.size(); ++c)
        addCell(c, m_columns.at(c));
    m_row = 1;
}

void Workbook::closeSheet()
{
    const QByteArray extent = dimensions(m_rowEnd, m_columnEnd);
    std::copy(extent.begin(), extent.end(), m_sheets.begin() + m_dimensionsAt);
    // The first sheet is the one shown on opening.
    Biff::appendRecord(m_sheets, window2Record, window2(m_sheetStarts.size() == 1));
    Biff::appendRecord(m_sheets, eofRecord, {});
}

void Workbook::addCell(quint16 column, const QVariant &value)
{
    if (value.isNull())
        return;
    if (isNumber(value))
        addNumber(column, generalXf, value.toDouble());
    else if (value.typeId() == QMetaType::QDate)
        addDate(column, value.toDate());
    else
        addText(column, value.toString());
}

void Workbook::addNumber(quint16 column, quint16 xf, double value)
{
    if (std::isfinite(value))
        appendCell(numberRecord, column, xf, std::bit_cast<quint64>(value), 8);
}

void Workbook::addDate(quint16 column, QDate date)
{
    if (!date.isValid())
        return;
    if (date < firstExcelDay)
        addText(column, date.toString(Qt::ISODate));
    else
        addNumber(column, dateXf, excelDay(date));
}

void Workbook::addText(quint16 column, QString text)
{
    if (text.isEmpty())
        return;
    if (text.size() > maxTextLength) {
        text.truncate(text.at(maxTextLength).isLowSurrogate() ? maxTextLength - 1 : maxTextLength);
        ++m_textsCut;
    }
    appendCell(labelSstRecord, column, generalXf, m_strings.indexOf(text), 4);
}

// The record in one piece: its header, the row, the column, the XF and the
// valueSize low bytes of value, least significant first.
void Workbook::appendCell(quint16 type, quint16 column, quint16 xf, quint64 value,
                          qsizetype valueSize)
{
    m_rowEnd = std::max<quint32>(m_rowEnd, m_row + 1);
    m_columnEnd = std::max<quint16>(m_columnEnd, column + 1);
    char record[longestCellRecord];
    qToLittleEndian<quint16>(type, record);
    qToLittleEndian<quint16>(6 + valueSize, record + 2);
    qToLittleEndian<quint16>(m_row, record + 4);
    qToLittleEndian<quint16>(column, record + 6);
    qToLittleEndian<quint16>(xf, record + 8);
    qToLittleEndian<quint64>(value, record + 10);
    m_sheets.append(record, 10 + valueSize);
}
