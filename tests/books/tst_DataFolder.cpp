#include "DataFiles.h"
#include "RememberedEntries.h"
#include "PlannedFaults.h"
#include "SideFile.h"
#include "TempDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

class tst_DataFolder : public QObject
{
    Q_OBJECT
private slots:
    // An installation stopped at any step (here by a failing disk) leaves a
    // folder that the next start sees as new, unfinished or whole, and running
    // it again sets up all seven files with nothing left over.
    void installationStoppedAtAnyStepRunsAgain()
    {
        using Step = Faults::Step;
        for (const Step step : {Step::Write, Step::Sync, Step::Rename}) {
            for (int nth = 1;; ++nth) {
                TempDataFolder temp(false);
                PlannedFaults faults;
                const DataFolder folder = temp.folder(faults);
                faults.failAt(step, nth);
                QString error;
                const bool installed = folder.install(&error);
                faults.clear();
                if (installed)
                    break;
                const QStringList missing = folder.missingFiles();
                QVERIFY(missing.isEmpty() || missing == DataFiles::all() ||
                        folder.hasUnfinishedInstallation());
                QVERIFY2(folder.install(&error), qPrintable(error));
                QCOMPARE(QDir(temp.path()).entryList(QDir::Files).size(), 7);
            }
        }
        TempDataFolder temp;
        const DataFolder folder = temp.folder();
        QCOMPARE(temp.bytes(DataFiles::password), QByteArray("bramblewood\r\n"));
        QCOMPARE(temp.bytes(DataFiles::balance), QByteArray("0\r\n"));
        QCOMPARE(temp.bytes(DataFiles::incomeNames), QByteArray("\r\n"));
        QCOMPARE(temp.bytes(DataFiles::expenseNames), QByteArray("\r\n"));
        QCOMPARE(temp.storedCount("Income"), 0);

        // A stored record is never taken for part of an installation.
        QFile::rename(temp.filePath(DataFiles::income), temp.filePath("Income.mdb.install"));
        QVERIFY(folder.hasUnfinishedInstallation());
        temp.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Adams')");
        QVERIFY(!folder.hasUnfinishedInstallation());
        QFile::remove(temp.filePath(DataFiles::password));
        QCOMPARE(folder.missingFiles(), (QStringList{DataFiles::income, DataFiles::password}));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf-8") << QByteArray("Caf\xc3\xa9") << QStringLiteral("Café");
        QTest::newRow("windows-1252")
            << QByteArray("Caf\xe9 \x80 \x93ok\x94") << QStringLiteral("Café € “ok”");
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(SideFile::decode(bytes), expected);
    }

    void rememberedEntriesRoundTrip_data()
    {
        QTest::addColumn<QStringList>("remembered"); // oldest first
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("none") << QStringList() << QByteArray("\r\n");
        QTest::newRow("several, a line break in one") << QStringList{"Rent", "Gas\r\nStation", "O'neil Supply"}
                                                      << QByteArray("O'neil Supply\r\nGas Station\r\nRent\r\n");
        QTest::newRow("a blank name, line breaks") << QStringList{" ", "Fuel\n", "\r"} << QByteArray("Fuel\r\n \r\n");
        QTest::newRow("accents") << QStringList{"Café Núñez"} << QString("Café Núñez\r\n").toUtf8();
    }

    // The words go to a side file as UTF-8 with CR LF, replacing an older content whole, and
    // read back whole, line breaks and all.
    void rememberedEntriesRoundTrip()
    {
        QFETCH(QStringList, remembered);
        QFETCH(QByteArray, bytes);
        TempDataFolder folder(false);
        const QString path = folder.filePath(QStringLiteral("income.kvd"));
        RememberedEntries before;
        for (const QString &word : remembered)
            before.remember(word);
        QString error;
        QVERIFY(!SideFile::read(path, &error)); // no file yet
        QVERIFY(!error.isEmpty());
        const Disk disk(Faults::none());
        QVERIFY(SideFile::write(disk, path, "A longer, older value", &error));
        QVERIFY(SideFile::write(disk, path, before.value(), &error));
        QCOMPARE(folder.bytes(QStringLiteral("income.kvd")), bytes);
        const QString content = SideFile::read(path, &error).value();
        QCOMPARE(content, QString::fromUtf8(bytes));
        RememberedEntries after;
        after.setValue(content);
        QCOMPARE(after.words(), before.words());
        QCOMPARE(after.value(), before.value());
    }

    void rememberedEntriesKeepFiftyMostRecent()
    {
        RememberedEntries entries;
        for (int i = 1; i <= 60; ++i)
            entries.remember(QStringLiteral("Name %1").arg(i));
        entries.remember(QStringLiteral("Name 30")); // again: moves to the front, not twice
        QCOMPARE(entries.words().size(), 50);
        QCOMPARE(entries.words().first(), QStringLiteral("Name 30"));
        QCOMPARE(entries.words().last(), QStringLiteral("Name 11"));
        entries.remember(QString());
        QCOMPARE(entries.words().first(), QStringLiteral("Name 30"));

        RememberedEntries fromFile;
        fromFile.setValue(QStringLiteral("B\nA\r\nB\r\n")); // LF alone, and a repeat
        QCOMPARE(fromFile.words(), (QStringList{"B", "A"}));
    }

    void shortWriteIsNamed_data()
    {
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QString>("from"); // the copied file's folder, if not the data folder
        QTest::newRow("write") << false << QString();
        QTest::newRow("copy") << true << QString();
        QTest::newRow("copy from another file system") << true << QStringLiteral("/dev/shm");
    }

    // A write or a copy cut short names the system's reason, not Qt's
    // "Unknown error", and the old file stays; uncut, the whole arrives. A
    // file size limit stands in for a full disk.
    void shortWriteIsNamed()
    {
        QFETCH(bool, copied);
        QFETCH(QString, from);
        TempDataFolder folder(false);
        const QString path = folder.filePath(QStringLiteral("income.kvd"));
        const QByteArray bytes(100000, 'x');
        QTemporaryFile original(QDir(from.isEmpty() ? folder.path() : from).filePath("XXXXXX"));
        QVERIFY(original.open() && original.write(bytes) == bytes.size() && original.flush());
        QString error;
        const auto write = [&] {
            return copied ? folder.folder().disk().copy(original.fileName(), path, &error)
                          : SideFile::write(folder.folder().disk(), path, QString::fromLatin1(bytes), &error);
        };
        QVERIFY(SideFile::write(folder.folder().disk(), path, QStringLiteral("old"), &error));
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit small{4096, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = write();
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(!written);
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(folder.bytes(QStringLiteral("income.kvd")), QByteArray("old\r\n"));
        QVERIFY2(write(), qPrintable(error));
        QCOMPARE(folder.bytes(QStringLiteral("income.kvd")).left(bytes.size()), bytes);
    }
};

QTEST_GUILESS_MAIN(tst_DataFolder)
#include "tst_DataFolder.moc"
