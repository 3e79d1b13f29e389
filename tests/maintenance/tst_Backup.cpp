#include "DataFiles.h"
#include "FloppyBackup.h"
#include "Readers.h"
#include "TempDataFolder.h"
#include "cZip.h"

#include <QTest>

class tst_Backup : public QObject
{
    Q_OBJECT
private slots:
    // The archive holds the six files under their real, bare names, never the
    // password; it is built without a medium too. Two backups on one day leave
    // one copy on the medium, holding the second.
    void archiveOfSixFilesCopiedByDay()
    {
        TempDataFolder folder;
        cZip zip;
        const auto backUp = [&](const QString &medium, const QDate &day) {
            return FloppyBackup::run(zip, folder.folder(), medium, day).outcome;
        };
        QCOMPARE(backUp(QString(), QDate(2026, 12, 5)), FloppyBackup::Outcome::NoMedium);
        QCOMPARE(Readers::zipEntries(folder.filePath("Backup.zip")),
                 (QStringList{"Customers.mdb", "Expense.mdb", "expense.kvd", "Income.mdb", "income.kvd",
                              "balance.kvd"}));
        QDir(folder.path()).mkdir("medium");
        const QDir medium(folder.filePath("medium"));
        QCOMPARE(backUp(medium.path(), QDate(2026, 12, 5)), FloppyBackup::Outcome::Done);
        folder.writeBytes(DataFiles::balance, "42\r\n");
        QCOMPARE(backUp(medium.path(), QDate(2026, 12, 5)), FloppyBackup::Outcome::Done);
        QCOMPARE(backUp(medium.path(), QDate(2027, 1, 9)), FloppyBackup::Outcome::Done);
        QCOMPARE(medium.entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Backup01092027.zip", "Backup12052026.zip"}));
        QCOMPARE(Readers::zipEntry(medium.filePath("Backup12052026.zip"), "balance.kvd"), "42\r\n");
    }

    void missingFileIsAFailedArchive()
    {
        TempDataFolder folder;
        QFile::remove(folder.filePath(DataFiles::incomeNames));
        cZip zip;
        const auto result = FloppyBackup::run(zip, folder.folder(), folder.path(), QDate(2026, 12, 5));
        QCOMPARE(result.outcome, FloppyBackup::Outcome::ArchiveFailed);
        QVERIFY(result.error.contains("income.kvd"));
        QVERIFY(!QFile::exists(folder.filePath(FloppyBackup::dailyName(QDate(2026, 12, 5)))));
    }
};

QTEST_MAIN(tst_Backup)
#include "tst_Backup.moc"
