#include "CompoundFile.h"
#include "TestMain.h"
#include "Workbook.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// Debian's xlrd, installed for /usr/bin/python3 (not necessarily the python3
// on the PATH), reads the files back. At verbosity 1 with formatting_info it
// also checks the XFs and each sheet's DIMENSIONS. Its log must stay empty
// but for the three notes it makes about any sound file at that verbosity.
// xlrd takes records of any length, so the script checks Excel's limit itself.
const char workbookReader[] = R"(
import io, json, re, struct, sys, xlrd, xlrd.compdoc
log = io.StringIO()
notes = re.compile(r"CODEPAGE: codepage 1200 -> encoding 'utf_16_le'\n|DATEMODE: datemode 0\n"
                   r"|\nColour indexes used:\n\[[0-9, ]*\]\n\n")
book = xlrd.open_workbook(sys.argv[1], logfile=log, verbosity=1, formatting_info=True)
stream = xlrd.compdoc.CompDoc(open(sys.argv[1], 'rb').read(), log).get_named_stream('Workbook')
pos = 0
while pos + 4 <= len(stream):
    kind, size = struct.unpack_from('<HH', stream, pos)
    if size > 8224:
        print('record 0x%04x at %d holds %d bytes' % (kind, pos, size), file=log)
    pos += 4 + size
kinds = {xlrd.XL_CELL_EMPTY: 'empty', xlrd.XL_CELL_TEXT: 'text', xlrd.XL_CELL_NUMBER: 'number'}
def cell(c):
    if c.ctype == xlrd.XL_CELL_DATE:
        return ['date', xlrd.xldate.xldate_as_datetime(c.value, book.datemode).date().isoformat()]
    return [kinds[c.ctype], c.value]
sheets = [{'name': s.name, 'rows': [[cell(c) for c in s.row(r)] for r in range(s.nrows)]}
          for s in book.sheets()]
# One write: the output may be unbuffered, and it runs to megabytes.
sys.stdout.write(json.dumps({'log': notes.sub('', log.getvalue()), 'sheets': sheets}))
)";

// xlrd's compound file reader marks every sector it takes for the DIFAT (1),
// the FAT (2), the directory or the stream; none may be left over. It does
// not read the FAT's own entries for the DIFAT and FAT sectors, nor those past
// the end of the file, so the script checks them.
const char compoundFileReader[] = R"(
import hashlib, io, json, sys, xlrd.compdoc
log = io.StringIO()
doc = xlrd.compdoc.CompDoc(open(sys.argv[1], 'rb').read(), logfile=log)
stream = doc.get_named_stream('Workbook')
marks = {1: -4, 2: -3}
misfiled = [i for i, seen in enumerate(doc.seen) if seen in marks and doc.SAT[i] != marks[seen]]
misfiled += [i for i in range(len(doc.seen), len(doc.SAT)) if doc.SAT[i] != -1]
sys.stdout.write(json.dumps({'log': log.getvalue(), 'size': len(stream),
                            'sha1': hashlib.sha1(stream).hexdigest(),
                            'unused sectors': doc.seen.count(0), 'misfiled sectors': len(misfiled)}))
)";

struct Reading
{
    QJsonObject result;
    QString error;
};

Reading readBack(const char *script, const QByteArray &file)
{
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("book.xls")));
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return {{}, out.errorString()};
    out.close();
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, out.fileName()});
    if (!python.waitForFinished(100000) || python.exitStatus() != QProcess::NormalExit
        || python.exitCode() != 0)
        return {{}, QString::fromUtf8(python.readAllStandardError())};
    QJsonParseError parsing;
    const QJsonObject result =
        QJsonDocument::fromJson(python.readAllStandardOutput(), &parsing).object();
    if (parsing.error != QJsonParseError::NoError)
        return {{}, parsing.errorString()};
    const QString log = result.value(QStringLiteral("log")).toString();
    return log.isEmpty() ? Reading{result, {}} : Reading{{}, QStringLiteral("xlrd: ") + log};
}

QJsonArray readSheets(const QByteArray &file, QString *error)
{
    const Reading reading = readBack(workbookReader, file);
    *error = reading.error;
    return reading.result.value(QStringLiteral("sheets")).toArray();
}

QJsonArray text(const QString &value) { return {QStringLiteral("text"), value}; }
QJsonArray number(double value) { return {QStringLiteral("number"), value}; }
QJsonArray date(const char *iso) { return {QStringLiteral("date"), QLatin1String(iso)}; }
QJsonArray empty() { return {QStringLiteral("empty"), QString()}; }

// Compact JSON, so that a failed comparison shows both rows.
QString json(const QJsonValue &value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

QJsonArray rowsOf(const QJsonValue &sheet)
{
    return sheet[QLatin1String("rows")].toArray();
}

QString nameOf(const QJsonValue &sheet)
{
    return sheet[QLatin1String("name")].toString();
}

QString customer(qsizetype n)
{
    return QStringLiteral("Customer %1").arg(n);
}

} // namespace

class tst_Workbook : public QObject
{
    Q_OBJECT
private slots:
    void smallTable();
    void texts_data();
    void texts();
    void sheetNames_data();
    void sheetNames();
    void stringTable_data();
    void stringTable();
    void emptyTable_data();
    void emptyTable();
    void rowsSpillOntoFurtherSheets_data();
    void rowsSpillOntoFurtherSheets();
    void compoundFile_data();
    void compoundFile();
};

void tst_Workbook::smallTable()
{
    const QStringList columns{"Name", "Visits", "Price", "Since", "Notes"};
    const QList<QList<QVariant>> rows{
        {"Ann Baker", 12, 45.5, QDate(2023, 4, 17), "gate code 4471"},
        {"Bob Carter", qlonglong(3000000000), -0.25f, QDate(1900, 3, 1), QVariant()},
        {"", QVariant(QMetaType::fromType<int>()), qQNaN(), QDate(), true},
        {"Dee Evans"},
        {uint(7), short(-3), QVariant(QMetaType::fromType<QString>()), QDate(2024, 2, 29), 1e-3},
    };
    const QList<QJsonArray> expected{
        {text("Name"), text("Visits"), text("Price"), text("Since"), text("Notes")},
        {text("Ann Baker"), number(12), number(45.5), date("2023-04-17"), text("gate code 4471")},
        {text("Bob Carter"), number(3e9), number(-0.25), date("1900-03-01"), empty()},
        {empty(), empty(), empty(), empty(), text("true")},
        {text("Dee Evans"), empty(), empty(), empty(), empty()},
        {number(7), number(-3), empty(), date("2024-02-29"), number(1e-3)},
    };
    QString error;
    const QJsonArray sheets = readSheets(Workbook::build("Customers", columns, rows), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(nameOf(sheets[0]), "Customers");
    const QJsonArray read = rowsOf(sheets[0]);
    QCOMPARE(read.size(), expected.size());
    for (qsizetype r = 0; r < read.size(); ++r)
        QCOMPARE(json(read[r]), json(expected[r]));
}

void tst_Workbook::texts_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Latin-1, 8-bit form") << "Café Núñez" << "Café Núñez";
    QTest::newRow("Polish, 16-bit form") << "Łódź" << "Łódź";
    QTest::newRow("CJK") << "山田 太郎" << "山田 太郎";
    QTest::newRow("beyond the BMP") << "🌿 Bramble" << "🌿 Bramble";
    QTest::newRow("longest, 8-bit") << QString(32767, u'é') << QString(32767, u'é');
    QTest::newRow("cut, 8-bit") << QString(40000, u'x') << QString(32767, u'x');
    QTest::newRow("cut, 16-bit") << QString(40000, u'ł') << QString(32767, u'ł');
    QTest::newRow("cut before a surrogate pair")
        << QString(32766, u'a') + "🌿🌿" << QString(32766, u'a');
}

// The header holds the same text as the cell, so the two share one string.
void tst_Workbook::texts()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QString error;
    const QJsonArray sheets = readSheets(Workbook::build("Customers", {value}, {{value}}), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QJsonArray read = rowsOf(sheets[0]);
    QCOMPARE(read.size(), 2);
    QCOMPARE(json(read[0]), json(QJsonArray{text(expected)}));
    QCOMPARE(json(read[1]), json(QJsonArray{text(expected)}));
}

void tst_Workbook::sheetNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("non-ASCII") << "Łódź Clients" << "Łódź Clients";
    QTest::newRow("forbidden characters") << "A/B: [C]?*\\" << "A_B_ _C____";
    QTest::newRow("too long") << QString(40, u'n') << QString(31, u'n');
}

void tst_Workbook::sheetNames()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QString error;
    const QJsonArray sheets = readSheets(Workbook::build(name, {"Name"}, {{"Ann"}}), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(nameOf(sheets[0]), expected);
}

// Row i holds text i in column A and text 7i (modulo the count) in column
// B, so that the string table holds each text once, after the headers.
void tst_Workbook::stringTable_data()
{
    QTest::addColumn<QStringList>("texts");
    // 3,000 texts of 20 to 300 characters, alternately in the 8-bit and the
    // 16-bit form, and two longer than a record: the table runs over about a
    // hundred CONTINUE records, crossed by strings of both forms, the 16-bit
    // ones at odd and even offsets.
    QStringList texts;
    for (qsizetype i = 0; i < 3000; ++i) {
        QString s = QString::number(i) + u' ';
        const char16_t first = i % 2 ? u'Ā' : u'à';
        while (s.size() < 20 + (i * 97) % 281)
            s += QChar(char16_t(first + (s.size() * 7 + i) % 26));
        texts.append(s);
    }
    QTest::newRow("3,000 texts") << (texts << QString(10000, u'é') << QString(9000, u'ż') + u'.');
    // The SST record's 8,224 bytes open with two counts (8 bytes) and the
    // headers "A" and "B" (4 bytes each); a text of n 8-bit characters takes n + 3.
    const auto filling = [](qsizetype room) { return QString(8224 - 16 - 3 - room, u'a'); };
    QTest::newRow("no room for a header") << QStringList{filling(2), "next"};
    QTest::newRow("room for a header and an 8-bit character") << QStringList{filling(4), "next"};
    QTest::newRow("no room for a 16-bit character") << QStringList{filling(4), "Łódź"};
}

void tst_Workbook::stringTable()
{
    QFETCH(QStringList, texts);
    QList<QList<QVariant>> rows;
    for (qsizetype i = 0; i < texts.size(); ++i)
        rows.append({texts.at(i), texts.at(i * 7 % texts.size())});

    QString error;
    const QJsonArray sheets = readSheets(Workbook::build("Customers", {"A", "B"}, rows), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QJsonArray read = rowsOf(sheets[0]);
    QCOMPARE(read.size(), rows.size() + 1);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonArray expected{text(rows[r][0].toString()), text(rows[r][1].toString())};
        QCOMPARE(json(read[r + 1]), json(expected));
    }
}

void tst_Workbook::emptyTable_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("header only") << QStringList{"Name", "Phone"};
    QTest::newRow("no columns either") << QStringList();
}

void tst_Workbook::emptyTable()
{
    QFETCH(QStringList, columns);
    QString error;
    const QJsonArray sheets = readSheets(Workbook::build("Customers", columns, {}), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(nameOf(sheets[0]), "Customers");
    QJsonArray header;
    for (const QString &column : columns)
        header.append(text(column));
    QCOMPARE(json(rowsOf(sheets[0])), json(columns.isEmpty() ? QJsonArray() : QJsonArray{header}));
}

void tst_Workbook::rowsSpillOntoFurtherSheets_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QList<int>>("sheetRows");
    QTest::newRow("first sheet full") << 65535 << QList<int>{65535};
    QTest::newRow("one row over") << 65536 << QList<int>{65535, 1};
    QTest::newRow("70,000 customers") << 70000 << QList<int>{65535, 4465};
}

void tst_Workbook::rowsSpillOntoFurtherSheets()
{
    QFETCH(int, rowCount);
    QFETCH(QList<int>, sheetRows);
    QList<QList<QVariant>> rows;
    for (int n = 1; n <= rowCount; ++n)
        rows.append({customer(n), n});
    QString error;
    const QJsonArray sheets = readSheets(Workbook::build("Customers", {"Name", "Account"}, rows), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(sheets.size(), sheetRows.size());
    int before = 0;
    for (qsizetype s = 0; s < sheets.size(); ++s) {
        const QJsonArray read = rowsOf(sheets[s]);
        QCOMPARE(nameOf(sheets[s]), s == 0 ? "Customers" : QStringLiteral("Customers (%1)").arg(s + 1));
        QCOMPARE(read.size(), sheetRows[s] + 1);
        QCOMPARE(json(read.first()), json(QJsonArray{text("Name"), text("Account")}));
        const int first = before + 1;
        const int last = before + sheetRows[s];
        QCOMPARE(json(read[1]), json(QJsonArray{text(customer(first)), number(first)}));
        QCOMPARE(json(read.last()), json(QJsonArray{text(customer(last)), number(last)}));
        before = last;
    }
}

// The header lists the first 109 FAT sectors; 109 FAT sectors map 13,952
// sectors, the directory and themselves among them, so a stream of 13,842
// sectors is the longest without DIFAT sectors, and each further 127 FAT
// sectors need another DIFAT sector.
void tst_Workbook::compoundFile_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("difatSectors");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("short") << 100 << 0;
    QTest::newRow("mini stream cutoff") << 4096 << 0;
    QTest::newRow("part of a sector") << 70001 << 0;
    QTest::newRow("longest without DIFAT") << 13842 * 512 << 0;
    QTest::newRow("one DIFAT sector") << 13842 * 512 + 1 << 1;
    QTest::newRow("two DIFAT sectors, 15 MB") << 29970 * 512 + 1 << 2;
}

void tst_Workbook::compoundFile()
{
    QFETCH(int, size);
    QFETCH(int, difatSectors);
    // Every four bytes hold their own position, so that a sector out of place shows.
    QByteArray stream;
    for (quint32 word = 0; stream.size() < size; ++word)
        stream.append(reinterpret_cast<const char *>(&word), 4);
    stream.truncate(size);
    const QByteArray file = CompoundFile::withStream("Workbook", stream);

    const Reading reading = readBack(compoundFileReader, file);
    QVERIFY2(reading.error.isEmpty(), qPrintable(reading.error));
    const QByteArray padded = stream + QByteArray(std::max(0, 4096 - size), '\0');
    QCOMPARE(reading.result["size"].toInt(), padded.size());
    QCOMPARE(reading.result["sha1"].toString(),
             QString::fromLatin1(QCryptographicHash::hash(padded, QCryptographicHash::Sha1).toHex()));
    QCOMPARE(reading.result["unused sectors"].toInt(), 0);
    QCOMPARE(reading.result["misfiled sectors"].toInt(), 0);
    // The case at hand: the header's count of DIFAT sectors.
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 72), quint32(difatSectors));
}

BRAMBLEWOOD_TEST_MAIN(tst_Workbook)
#include "tst_Workbook.moc"
