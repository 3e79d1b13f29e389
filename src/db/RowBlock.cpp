#include "RowBlock.h"

#include <algorithm>

void RowBlock::reserve(qsizetype rows, qsizetype textBytes)
{
    m_cells.reserve(size_t(rows * m_columns));
    m_kinds.reserve(size_t(rows * m_columns));
    m_text.reserve(textBytes);
}

void RowBlock::append(Kind kind, Cell cell)
{
    m_cells.push_back(cell);
    m_kinds.push_back(kind);
}

void RowBlock::appendNull()
{
    append(Kind::Null, Cell{0});
}

void RowBlock::appendInteger(qint64 value)
{
    append(Kind::Integer, Cell{value});
}

void RowBlock::appendReal(double value)
{
    Cell cell;
    cell.real = value;
    append(Kind::Real, cell);
}

RowBlock::Cell RowBlock::textCell(QByteArrayView utf8, Kind *kind)
{
    Cell cell;
    cell.text = {quint32(m_text.size()), quint32(utf8.size())};
    m_text.append(utf8);
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return uchar(c) < 0x80; });
    *kind = ascii ? Kind::Ascii : Kind::Text;
    return cell;
}

void RowBlock::appendText(QByteArrayView utf8)
{
    Kind kind;
    const Cell cell = textCell(utf8, &kind);
    append(kind, cell);
}

RowBlock::Cell RowBlock::cellFor(const QVariant &value, Kind *kind)
{
    Cell cell{0};
    if (value.isNull()) {
        *kind = Kind::Null;
    } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        *kind = Kind::Real;
        cell.real = value.toDouble();
    } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ||
               value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::UInt) {
        *kind = Kind::Integer;
        cell.integer = value.toLongLong();
    } else {
        cell = textCell(value.toString().toUtf8(), kind);
    }
    return cell;
}

void RowBlock::appendValue(const QVariant &value)
{
    Kind kind;
    const Cell cell = cellFor(value, &kind);
    append(kind, cell);
}

void RowBlock::appendRows(const RowBlock &other)
{
    Q_ASSERT(other.m_columns == m_columns);
    const auto base = quint32(m_text.size());
    m_text.append(other.m_text);
    m_kinds.insert(m_kinds.end(), other.m_kinds.begin(), other.m_kinds.end());
    m_cells.reserve(m_cells.size() + other.m_cells.size());
    for (size_t i = 0; i < other.m_cells.size(); ++i) {
        Cell cell = other.m_cells[i];
        if (other.m_kinds[i] >= Kind::Text)
            cell.text.offset += base;
        m_cells.push_back(cell);
    }
}

void RowBlock::appendEmptyRow()
{
    for (qsizetype column = 0; column < m_columns; ++column)
        appendNull();
}

void RowBlock::removeLastRow()
{
    m_cells.resize(m_cells.size() - size_t(m_columns));
    m_kinds.resize(m_kinds.size() - size_t(m_columns));
}

void RowBlock::setRow(qsizetype row, const QList<QVariant> &values)
{
    for (qsizetype column = 0; column < m_columns; ++column) {
        Kind kind;
        m_cells[index(row, column)] = cellFor(values.value(column), &kind);
        m_kinds[index(row, column)] = kind;
    }
}

QVariant RowBlock::value(qsizetype row, qsizetype column) const
{
    const Cell &cell = m_cells[index(row, column)];
    switch (kind(row, column)) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return QVariant(cell.integer);
    case Kind::Real:
        return QVariant(cell.real);
    case Kind::Text:
    case Kind::Ascii:
        return QVariant(QString::fromUtf8(utf8(row, column)));
    }
    return {};
}

qint64 RowBlock::integer(qsizetype row, qsizetype column) const
{
    const Cell &cell = m_cells[index(row, column)];
    switch (kind(row, column)) {
    case Kind::Integer:
        return cell.integer;
    case Kind::Real:
        return qint64(cell.real);
    case Kind::Null:
    case Kind::Text:
    case Kind::Ascii:
        break;
    }
    return value(row, column).toLongLong();
}

namespace {

int rank(bool null, bool text)
{
    return null ? 0 : text ? 2 : 1;
}

int lower(char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

int compareAsciiNoCase(QByteArrayView a, QByteArrayView b)
{
    const qsizetype length = std::min(a.size(), b.size());
    const char *x = a.data(), *y = b.data();
    for (qsizetype i = 0; i < length; ++i)
        if (x[i] != y[i] && lower(x[i]) != lower(y[i]))
            return lower(x[i]) - lower(y[i]);
    return int(a.size() - b.size());
}

} // namespace

double RowBlock::number(qsizetype row, qsizetype column) const
{
    const Cell &cell = m_cells[index(row, column)];
    return kind(row, column) == Kind::Real ? cell.real : double(cell.integer);
}

int RowBlock::compare(qsizetype row, qsizetype other, qsizetype column) const
{
    const Kind a = kind(row, column), b = kind(other, column);
    const int rankA = rank(a == Kind::Null, a >= Kind::Text), rankB = rank(b == Kind::Null, b >= Kind::Text);
    if (rankA != rankB || rankA == 0)
        return rankA - rankB;
    if (rankA == 1) {
        const double x = number(row, column), y = number(other, column);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (a == Kind::Ascii && b == Kind::Ascii)
        return compareAsciiNoCase(utf8(row, column), utf8(other, column));
    return QString::compare(QString::fromUtf8(utf8(row, column)), QString::fromUtf8(utf8(other, column)),
                            Qt::CaseInsensitive);
}
