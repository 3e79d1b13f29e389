#include "DataFiles.h"
#include "FloppyBackup.h"
#include "TempDataFolder.h"
#include <QTest>
#include "Readers.h"
#include "cZip.h"


class tst_Backup : public QObject
{
    Q_OBJECT
private slots:
    void noMediumStillBuildsArchiveOfSixFiles()
    {
        TempDataFolder folder;
        cZip zip;
        const auto result = FloppyBackup::run(zip, folder.folder(), QString(), QDate(2026, 12, 5));
        QCOMPARE(int(result.outcome), int(FloppyBackup::Outcome::NoMedium));
        // Bare names, the real ones, and no password file.
        QCOMPARE(Readers::zipEntries(folder.filePath("Backup.zip")),
                 (QStringList{"Customers.mdb", "Expense.mdb", "expense.kvd", "Income.mdb", "income.kvd",
                              "balance.kvd"}));
        QCOMPARE(Readers::zipEntry(folder.filePath("Backup.zip"), "balance.kvd"), QByteArray("0\r\n"));
    }

    void twoBackupsOnOneDayLeaveOneCopyOfTheSecond()
    {
        TempDataFolder folder;
        QDir(folder.path()).mkdir("medium");
        const QString medium = folder.filePath("medium");
        cZip zip;
        QCOMPARE(int(FloppyBackup::run(zip, folder.folder(), medium, QDate(2026, 12, 5)).outcome),
                 int(FloppyBackup::Outcome::Done));
        folder.writeBytes(DataFiles::balance, "42\r\n");
        QCOMPARE(int(FloppyBackup::run(zip, folder.folder(), medium, QDate(2026, 12, 5)).outcome),
                 int(FloppyBackup::Outcome::Done));
        QCOMPARE(QDir(medium).entryList(QDir::Files | QDir::Hidden), QStringList{"Backup12052026.zip"});
        QCOMPARE(Readers::zipEntry(QDir(medium).filePath("Backup12052026.zip"), "balance.kvd"), QByteArray("42\r\n"));
        QCOMPARE(QFile(QDir(medium).filePath("Backup12052026.zip")).size(),
                 QFile(folder.filePath("Backup.zip")).size());
        QCOMPARE(int(FloppyBackup::run(zip, folder.folder(), medium, QDate(2027, 1, 9)).outcome),
                 int(FloppyBackup::Outcome::Done));
        QCOMPARE(QDir(medium).entryList(QDir::Files), (QStringList{"Backup01092027.zip", "Backup12052026.zip"}));
    }

    void missingFileIsAFailedArchive()
    {
        TempDataFolder folder;
        QFile::remove(folder.filePath(DataFiles::incomeNames));
        cZip zip;
        const auto result = FloppyBackup::run(zip, folder.folder(), folder.path(), QDate(2026, 12, 5));
        QCOMPARE(int(result.outcome), int(FloppyBackup::Outcome::ArchiveFailed));
        QVERIFY(result.error.contains("income.kvd"));
        QVERIFY(!QFile::exists(folder.filePath(FloppyBackup::dailyName(QDate(2026, 12, 5)))));
    }
};

QTEST_MAIN(tst_Backup)
#include "tst_Backup.moc"
