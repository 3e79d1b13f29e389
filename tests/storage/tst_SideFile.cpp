#include "RememberedEntries.h"
#include "SideFile.h"
#include "TempDataFolder.h"
#include <QTest>

#include <QFile>

class tst_SideFile : public QObject
{
    Q_OBJECT
private slots:
    void writesValueAndCrLfReadsWhole();
    void decode_data();
    void decode();
    void rememberedEntriesRoundTrip_data();
    void rememberedEntriesRoundTrip();
    void rememberedEntriesKeepFiftyMostRecent();
};

// A shorter value replaces a longer one whole; reading gives the content with its line breaks.
void tst_SideFile::writesValueAndCrLfReadsWhole()
{
    TempDataFolder folder(false);
    const QString path = folder.filePath(QStringLiteral("balance.kvd"));
    QString error;
    QVERIFY(SideFile::write(path, QStringLiteral("123456.75"), &error));
    QVERIFY(SideFile::write(path, QStringLiteral(" 5 "), &error));
    QCOMPARE(folder.bytes(QStringLiteral("balance.kvd")), QByteArray(" 5 \r\n"));
    folder.writeBytes(QStringLiteral("balance.kvd"), "first\r\nsecond");
    QCOMPARE(SideFile::read(path, &error).value(), QStringLiteral("first\r\nsecond"));
    QVERIFY(!SideFile::read(folder.filePath(QStringLiteral("missing.kvd")), &error));
    QVERIFY(!error.isEmpty());
}

void tst_SideFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("Rent\r\n") << QStringLiteral("Rent\r\n");
    QTest::newRow("utf-8") << QByteArray("Caf\xc3\xa9") << QStringLiteral("Café");
    QTest::newRow("windows-1252 e acute") << QByteArray("Caf\xe9") << QStringLiteral("Café");
    QTest::newRow("windows-1252 euro and quotes")
        << QByteArray("\x80 \x93ok\x94") << QStringLiteral("€ “ok”");
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_SideFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(SideFile::decode(bytes), expected);
}

void tst_SideFile::rememberedEntriesRoundTrip_data()
{
    QTest::addColumn<QStringList>("remembered"); // oldest first
    QTest::newRow("none") << QStringList();
    QTest::newRow("one") << QStringList{QStringLiteral("Rent")};
    QTest::newRow("several") << QStringList{QStringLiteral("Rent"), QStringLiteral("Gas Station"),
                                            QStringLiteral("O'neil Supply")};
    QTest::newRow("a blank name") << QStringList{QStringLiteral(" "), QStringLiteral("Fuel")};
    QTest::newRow("accents") << QStringList{QStringLiteral("Café Núñez")};
}

void tst_SideFile::rememberedEntriesRoundTrip()
{
    QFETCH(QStringList, remembered);
    TempDataFolder folder(false);
    RememberedEntries before;
    for (const QString &word : remembered)
        before.remember(word);
    QString error;
    const QString path = folder.filePath(QStringLiteral("income.kvd"));
    QVERIFY(SideFile::write(path, before.value(), &error));
    RememberedEntries after;
    after.setValue(SideFile::read(path, &error).value());
    QCOMPARE(after.words(), before.words());
    QCOMPARE(after.value(), before.value());
}

void tst_SideFile::rememberedEntriesKeepFiftyMostRecent()
{
    RememberedEntries entries;
    for (int i = 1; i <= 60; ++i)
        entries.remember(QStringLiteral("Name %1").arg(i));
    entries.remember(QStringLiteral("Name 30")); // again: moves to the front, not twice
    QCOMPARE(entries.words().size(), 50);
    QCOMPARE(entries.words().first(), QStringLiteral("Name 30"));
    QCOMPARE(entries.words().count(QStringLiteral("Name 30")), 1);
    QCOMPARE(entries.words().last(), QStringLiteral("Name 11"));
    entries.remember(QString());
    QCOMPARE(entries.words().first(), QStringLiteral("Name 30"));

    RememberedEntries fromFile;
    fromFile.setValue(QStringLiteral("B\nA\r\nB\r\n")); // LF alone, and a repeat
    QCOMPARE(fromFile.words(), (QStringList{QStringLiteral("B"), QStringLiteral("A")}));
}

QTEST_GUILESS_MAIN(tst_SideFile)
#include "tst_SideFile.moc"
