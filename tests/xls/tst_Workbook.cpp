#include "CompoundFile.h"
#include "Readers.h"
#include "Workbook.h"

#include <QCryptographicHash>
#include <QDate>
#include <QTest>

using Rows = QList<QList<QVariant>>;

QByteArray workbook(const QString &name, const QStringList &columns, const Rows &rows)
{
    Workbook book(name, columns, rows.size());
    for (const QList<QVariant> &row : rows)
        book.addRow(row);
    return book.finish().join();
}

class tst_Workbook : public QObject
{
    Q_OBJECT
private slots:
    void tables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QByteArray>("sha1"); // of the file as the writer has always made it
        // The last row holds texts in the 8-bit and the 16-bit form, one cut to 32,767
        // characters and one cut short of the surrogate pair it would split.
        const QStringList smallTable{
            "sheet:Customers",
            "text:Name | text:Visits | text:Price | text:Since | text:Notes",
            "text:Ann Baker | number:12.0 | number:45.5 | date:2023-04-17 | text:gate code 4471",
            "text:Bob Carter | number:3000000000.0 | number:-0.25 | date:1900-03-01 | empty:",
            "empty: | empty: | empty: | empty: | text:true",
            "text:Dee Evans | empty: | empty: | empty: | empty:",
            "number:7.0 | number:-3.0 | empty: | date:2024-02-29 | number:0.001",
            "text:Café Núñez | text:Łódź 山田 🌿 | text:" + QString(32767, u'x') +
                " | text:" + QString(32766, u'ł') + " | empty:"};
        QTest::newRow("small table")
            << "Customers" << QStringList{"Name", "Visits", "Price", "Since", "Notes"}
            << Rows{{"Ann Baker", 12, 45.5, QDate(2023, 4, 17), "gate code 4471"},
                    {"Bob Carter", qlonglong(3000000000), -0.25f, QDate(1900, 3, 1), QVariant()},
                    {"", QVariant(QMetaType::fromType<int>()), qQNaN(), QDate(), true},
                    {"Dee Evans"},
                    {uint(7), short(-3), QVariant(QMetaType::fromType<QString>()),
                     QDate(2024, 2, 29), 1e-3},
                    {"Café Núñez", "Łódź 山田 🌿", QString(40000, u'x'),
                     QString(32766, u'ł') + "🌿🌿"}}
            << smallTable << QByteArray("d95b4a0ee5e2fb21880d8a2cdd91415a6b18d87e");

        // As spreadsheets count days, with a 29 February 1900 that never was;
        // before 1900 a date is a text.
        QTest::newRow("dates about 1900")
            << "Dates" << QStringList{"Day"}
            << Rows{{QDate(1900, 1, 1)}, {QDate(1900, 2, 28)}, {QDate(1900, 3, 1)}, {QDate(1899, 12, 31)}}
            << QStringList{"sheet:Dates", "text:Day", "date:1900-01-01", "date:1900-02-28",
                           "date:1900-03-01", "text:1899-12-31"}
            << QByteArray("bf4363f1a2c024e9942b5465da9e7460d94913f1");

        // Without rows a table gives its header row alone.
        QTest::newRow("no columns, non-ASCII name")
            << "Łódź Clients" << QStringList() << Rows() << QStringList{"sheet:Łódź Clients"}
            << QByteArray("9774cc6e4f536a5f3c0c29bfb04e95eb47e8cb92");
        QTest::newRow("forbidden characters, name too long")
            << "A/B: [C]?*\\" + QString(30, u'n') << QStringList{"Name", "Phone"} << Rows()
            << QStringList{"sheet:A_B_ _C____" + QString(20, u'n'), "text:Name | text:Phone"}
            << QByteArray("5e6f501fe42147905bd7a029bbc8581876925bda");

        // Row i holds text i in column A and text 7i (modulo the count) in column
        // B, so that the string table holds each text once, after the headers.
        const auto addTexts = [](const char *tag, const QStringList &texts,
                                 const QByteArray &sha1) {
            Rows rows;
            QStringList read{"sheet:Customers", "text:A | text:B"};
            for (qsizetype i = 0; i < texts.size(); ++i) {
                rows.append({texts[i], texts[i * 7 % texts.size()]});
                read.append("text:" + texts[i] + " | text:" + texts[i * 7 % texts.size()]);
            }
            QTest::newRow(tag) << "Customers" << QStringList{"A", "B"} << rows << read << sha1;
        };
        // 3,000 texts of 20 to 300 characters, alternately in the 8-bit and the 16-bit form, and
        // two longer than a record: the table runs over about a hundred CONTINUE records, crossed
        // by strings of both forms, the 16-bit ones at odd and even offsets.
        QStringList texts;
        for (qsizetype i = 0; i < 3000; ++i) {
            QString s = QString::number(i) + u' ';
            while (s.size() < 20 + (i * 97) % 281)
                s += QChar(char16_t((i % 2 ? u'Ā' : u'à') + (s.size() * 7 + i) % 26));
            texts.append(s);
        }
        addTexts("3,000 texts", texts << QString(10000, u'é') << QString(9000, u'ż') + u'.',
                 "6ac9e710026ce57e57847fef2f3963445dae2804");
        // The SST record's 8,224 bytes open with two counts (8 bytes) and the
        // headers "A" and "B" (4 bytes each); a text of n 8-bit characters takes n + 3.
        const auto filling = [](qsizetype room) { return QString(8224 - 16 - 3 - room, u'a'); };
        addTexts("no room for a header", {filling(2), "next"},
                 "a839f4731b00d4d808a584aec42abdfa1c7e02ca");
        addTexts("no room for a 16-bit character", {filling(4), "Łódź"},
                 "8188dfdd4ba23206aa919673df468c5bffab9b91");

        // Below its own header row, a sheet holds 65,535 rows.
        for (const int count : {65535, 70000}) {
            Rows rows;
            QStringList read{"sheet:Customers", "text:A | text:B"};
            for (int n = 1; n <= count; ++n) {
                if (n == 65536)
                    read += {"sheet:Customers (2)", "text:A | text:B"};
                rows.append({QStringLiteral("Customer %1").arg(n), n});
                read.append(QStringLiteral("text:Customer %1 | number:%1.0").arg(n));
            }
            QTest::addRow("%d rows", count)
                << "Customers" << QStringList{"A", "B"} << rows << read
                << QByteArray(count == 65535 ? "5fd606d4e82e34b7cda1621a25900522cc0f35c4"
                                             : "97b7acc3cbf98f42b095ecd0352e30b49cf02b23");
        }
    }

    void tables()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, columns);
        QFETCH(Rows, rows);
        QFETCH(QStringList, read);
        QFETCH(QByteArray, sha1);
        const QByteArray file = workbook(name, columns, rows);
        QCOMPARE(QCryptographicHash::hash(file, QCryptographicHash::Sha1).toHex(), sha1);
        const QVariantMap book = Readers::workbook(file);
        QCOMPARE(book["log"].toString(), "");
        QCOMPARE(book["rows"].toStringList(), read);
    }

    // The header lists the first 109 FAT sectors, which map 13,952 sectors: themselves, the
    // directory and a stream of at most 13,842 sectors. Each further 127 FAT sectors need another
    // DIFAT sector.
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
        QByteArray stream(size, '\0');
        for (int i = 0; i < size; ++i)
            stream[i] = char(i / 4 >> 8 * (i % 4));
        const QByteArray file =
            CompoundFile::header(size) + stream + CompoundFile::trailer("Workbook", size);
        const QVariantMap read = Readers::workbook(file, "stream");
        QCOMPARE(read["log"].toString(), "");
        // Padded to 4,096 bytes, a stream needs no mini stream.
        const QByteArray padded = stream + QByteArray(std::max(0, 4096 - size), '\0');
        QCOMPARE(read["sha1"].toByteArray(),
                 QCryptographicHash::hash(padded, QCryptographicHash::Sha1).toHex());
        QCOMPARE(read["difat"].toInt(), difatSectors);
    }
};

QTEST_GUILESS_MAIN(tst_Workbook)
#include "tst_Workbook.moc"
