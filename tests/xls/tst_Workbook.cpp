#include "CompoundFile.h"
#include "Readers.h"
#include "Workbook.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// Debian's xlrd, installed for /usr/bin/python3 (not necessarily the python3 on the PATH), reads
// the files back. Its log must stay empty but for the three notes it makes about any sound file
// at verbosity 1; with formatting_info it also checks the XFs and each sheet's DIMENSIONS. Its
// compound file reader marks each sector it takes for the DIFAT (1), the FAT (2), the directory
// or the stream, but reads neither the FAT's entries for the DIFAT and FAT sectors nor those past
// the end of the file, and it takes records of any length: the script checks these itself.
const char reader[] = R"(
import hashlib, io, json, re, struct, sys, xlrd, xlrd.compdoc
log = io.StringIO()
doc = xlrd.compdoc.CompDoc(open(sys.argv[1], 'rb').read(), logfile=log)
stream = doc.get_named_stream('Workbook')
marks = {1: -4, 2: -3}
misfiled = [i for i, seen in enumerate(doc.seen) if seen in marks and doc.SAT[i] != marks[seen]]
misfiled += [i for i in range(len(doc.seen), len(doc.SAT)) if doc.SAT[i] != -1]
if doc.seen.count(0) or misfiled:
    print('%d sectors unused, %d misfiled' % (doc.seen.count(0), len(misfiled)), file=log)
out = {'sha1': hashlib.sha1(stream).hexdigest()}
if sys.argv[2] == 'book':
    pos = 0
    while pos + 4 <= len(stream):
        kind, size = struct.unpack_from('<HH', stream, pos)
        if size > 8224:
            print('record 0x%04x at %d holds %d bytes' % (kind, pos, size), file=log)
        pos += 4 + size
    book = xlrd.open_workbook(sys.argv[1], logfile=log, verbosity=1, formatting_info=True)
    kinds = {xlrd.XL_CELL_EMPTY: 'empty', xlrd.XL_CELL_TEXT: 'text', xlrd.XL_CELL_NUMBER: 'number'}
    def cell(c):
        if c.ctype == xlrd.XL_CELL_DATE:
            return 'date:' + xlrd.xldate_as_datetime(c.value, book.datemode).date().isoformat()
        return '%s:%s' % (kinds[c.ctype], c.value)
    out['sheets'] = [s.name for s in book.sheets()]
    for s in book.sheets():
        out[s.name] = [' | '.join(map(cell, s.row(r))) for r in range(s.nrows)]
notes = re.compile(r"CODEPAGE: codepage 1200 -> encoding 'utf_16_le'\n|DATEMODE: datemode 0\n"
                   r"|\nColour indexes used:\n\[[0-9, ]*\]\n\n")
out['log'] = notes.sub('', log.getvalue())
# One write: the output may be unbuffered, and it runs to megabytes.
sys.stdout.write(json.dumps(out))
)";

// What the script found: "log", the stream's "sha1", and for a workbook the "sheets" names
// and each sheet's rows under its name, cells as kind:value joined by " | ".
QVariantMap readBack(const QByteArray &file, const char *kind = "book")
{
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("book.xls")));
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size() || !out.flush())
        return {{"log", out.errorString()}};
    QJsonParseError parsing;
    const QJsonDocument result =
        QJsonDocument::fromJson(Readers::python(reader, {out.fileName(), kind}), &parsing);
    return parsing.error ? QVariantMap{{"log", parsing.errorString()}} : result.toVariant().toMap();
}

} // namespace

class tst_Workbook : public QObject
{
    Q_OBJECT
private slots:
    // The last row holds texts in the 8-bit and the 16-bit form, one cut to 32,767
    // characters and one cut short of the surrogate pair it would split.
    void smallTable()
    {
        const QList<QList<QVariant>> rows{
            {"Ann Baker", 12, 45.5, QDate(2023, 4, 17), "gate code 4471"},
            {"Bob Carter", qlonglong(3000000000), -0.25f, QDate(1900, 3, 1), QVariant()},
            {"", QVariant(QMetaType::fromType<int>()), qQNaN(), QDate(), true},
            {"Dee Evans"},
            {uint(7), short(-3), QVariant(QMetaType::fromType<QString>()), QDate(2024, 2, 29),
             1e-3},
            {"Café Núñez", "Łódź 山田 🌿", QString(40000, u'x'), QString(32766, u'ł') + "🌿🌿"}};
        const QStringList columns{"Name", "Visits", "Price", "Since", "Notes"};
        const QVariantMap read = readBack(Workbook::build("Customers", columns, rows));
        QCOMPARE(read["log"].toString(), "");
        QCOMPARE(read["sheets"].toStringList(), QStringList{"Customers"});
        QCOMPARE(read["Customers"].toStringList(), (QStringList{
            "text:Name | text:Visits | text:Price | text:Since | text:Notes",
            "text:Ann Baker | number:12.0 | number:45.5 | date:2023-04-17 | text:gate code 4471",
            "text:Bob Carter | number:3000000000.0 | number:-0.25 | date:1900-03-01 | empty:",
            "empty: | empty: | empty: | empty: | text:true",
            "text:Dee Evans | empty: | empty: | empty: | empty:",
            "number:7.0 | number:-3.0 | empty: | date:2024-02-29 | number:0.001",
            "text:Café Núñez | text:Łódź 山田 🌿 | text:" + QString(32767, u'x') + " | text:" +
                QString(32766, u'ł') + " | empty:"}));
    }

    void emptyTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<bool>("header");
        QTest::newRow("header only") << "Customers" << "Customers" << true;
        QTest::newRow("no columns, non-ASCII name") << "Łódź Clients" << "Łódź Clients" << false;
        QTest::newRow("forbidden characters") << "A/B: [C]?*\\" << "A_B_ _C____" << true;
        QTest::newRow("name too long") << QString(40, u'n') << QString(31, u'n') << true;
    }

    // A table without rows gives its header row alone.
    void emptyTables()
    {
        QFETCH(QString, name);
        QFETCH(QString, sheet);
        QFETCH(bool, header);
        const QStringList columns = header ? QStringList{"Name", "Phone"} : QStringList();
        const QVariantMap read = readBack(Workbook::build(name, columns, {}));
        QCOMPARE(read["log"].toString(), "");
        QCOMPARE(read["sheets"].toStringList(), QStringList{sheet});
        QCOMPARE(read[sheet].toStringList(),
                 header ? QStringList{"text:Name | text:Phone"} : QStringList());
    }

    // Row i holds text i in column A and text 7i (modulo the count) in column
    // B, so that the string table holds each text once, after the headers.
    void stringTable_data()
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
        texts << QString(10000, u'é') << QString(9000, u'ż') + u'.';
        QTest::newRow("3,000 texts") << texts;
        // The SST record's 8,224 bytes open with two counts (8 bytes) and the
        // headers "A" and "B" (4 bytes each); a text of n 8-bit characters takes n + 3.
        const auto filling = [](qsizetype room) { return QString(8224 - 16 - 3 - room, u'a'); };
        QTest::newRow("no room for a header") << QStringList{filling(2), "next"};
        QTest::newRow("no room for a 16-bit character") << QStringList{filling(4), "Łódź"};
    }

    void stringTable()
    {
        QFETCH(QStringList, texts);
        QList<QList<QVariant>> rows;
        QStringList expected{"text:A | text:B"};
        for (qsizetype i = 0; i < texts.size(); ++i) {
            rows.append({texts[i], texts[i * 7 % texts.size()]});
            expected.append("text:" + texts[i] + " | text:" + texts[i * 7 % texts.size()]);
        }
        const QVariantMap read = readBack(Workbook::build("Customers", {"A", "B"}, rows));
        QCOMPARE(read["log"].toString(), "");
        QCOMPARE(read["Customers"].toStringList(), expected);
    }

    void rowsSpillOntoFurtherSheets_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QStringList>("sheets");
        QTest::newRow("first sheet full") << 65535 << QStringList{"Customers"};
        QTest::newRow("70,000 customers") << 70000 << QStringList{"Customers", "Customers (2)"};
    }

    // Below its own header row, a sheet holds 65,535 rows.
    void rowsSpillOntoFurtherSheets()
    {
        QFETCH(int, rowCount);
        QFETCH(QStringList, sheets);
        QList<QList<QVariant>> rows;
        QStringList expected;
        for (int n = 1; n <= rowCount; ++n) {
            rows.append({QStringLiteral("Customer %1").arg(n), n});
            expected.append(QStringLiteral("text:Customer %1 | number:%1.0").arg(n));
        }
        const QVariantMap read = readBack(Workbook::build("Customers", {"Name", "Account"}, rows));
        QCOMPARE(read["log"].toString(), "");
        QCOMPARE(read["sheets"].toStringList(), sheets);
        for (int s = 0; s < sheets.size(); ++s)
            QCOMPARE(read[sheets[s]].toStringList(),
                     QStringList{"text:Name | text:Account"} + expected.mid(s * 65535, 65535));
    }

    // The header lists the first 109 FAT sectors; 109 FAT sectors map 13,952
    // sectors, the directory and themselves among them, so a stream of 13,842
    // sectors is the longest without DIFAT sectors, and each further 127 FAT
    // sectors need another DIFAT sector.
    void compoundFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("difatSectors");
        QTest::newRow("short") << 100 << 0;
        QTest::newRow("longest without DIFAT") << 13842 * 512 << 0;
        QTest::newRow("one DIFAT sector") << 13842 * 512 + 1 << 1;
        QTest::newRow("two DIFAT sectors, 15 MB") << 29970 * 512 + 1 << 2;
    }

    void compoundFile()
    {
        QFETCH(int, size);
        QFETCH(int, difatSectors);
        // Every four bytes hold their own position, so that a sector out of place shows.
        QByteArray stream;
        for (quint32 word = 0; stream.size() < size; ++word)
            stream.append(reinterpret_cast<const char *>(&word), 4);
        stream.truncate(size);
        const QByteArray file = CompoundFile::withStream("Workbook", stream);
        const QVariantMap read = readBack(file, "stream");
        QCOMPARE(read["log"].toString(), "");
        // Padded to 4,096 bytes, a stream needs no mini stream.
        const QByteArray padded = stream + QByteArray(std::max(0, 4096 - size), '\0');
        QCOMPARE(read["sha1"].toByteArray(),
                 QCryptographicHash::hash(padded, QCryptographicHash::Sha1).toHex());
        QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 72), quint32(difatSectors));
    }
};

QTEST_GUILESS_MAIN(tst_Workbook)
#include "tst_Workbook.moc"
