#include "DataFiles.h"
#include "DataFolder.h"
#include "Recordset.h"
#include "TempDataFolder.h"
#include "TestMain.h"

#include <QFile>

class tst_DataFolder : public QObject
{
    Q_OBJECT
private slots:
    void freshInstallationHasAllFiles();
    void freshDatabasesHaveEmptyTables_data();
    void freshDatabasesHaveEmptyTables();
    void missingFilesAreNamed();
    void failedInstallationLeavesNothing();
};

void tst_DataFolder::freshInstallationHasAllFiles()
{
    TempDataFolder folder(false);
    QCOMPARE(DataFolder::missingFiles(QDir(folder.path())).size(), 7);
    QString error;
    QVERIFY2(DataFolder::install(QDir(folder.path()), &error), qPrintable(error));
    QVERIFY(DataFolder::missingFiles(QDir(folder.path())).isEmpty());
    QCOMPARE(folder.bytes(DataFiles::password), QByteArray("bramblewood\r\n"));
    QCOMPARE(folder.bytes(DataFiles::balance), QByteArray("0\r\n"));
    QCOMPARE(folder.bytes(DataFiles::incomeNames), QByteArray("\r\n"));
    QCOMPARE(folder.bytes(DataFiles::expenseNames), QByteArray("\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 7);
}

void tst_DataFolder::freshDatabasesHaveEmptyTables_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("rowSource");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("customers")
        << DataFiles::customers << "SELECT * FROM Customers ORDER BY Name ASC"
        << QStringList{"Account", "Name",     "Address",     "City",           "State",
                       "Zip",     "Home",     "Cell",        "HisWork",        "HerWork",
                       "DateStarted", "Schedule", "AmountPerVisit", "AmountMonthly", "Active",
                       "Comments"};
    QTest::newRow("income") << DataFiles::income << "Income"
                            << QStringList{"IncomeType", "IncomeAmount", "IncomeDate",
                                           "IncomeInvoice"};
    QTest::newRow("expense") << DataFiles::expense << "Expense"
                             << QStringList{"ExpenseType", "ExpenseAmount", "ExpenseDate",
                                            "ExpenseInvoice"};
}

void tst_DataFolder::freshDatabasesHaveEmptyTables()
{
    QFETCH(QString, database);
    QFETCH(QString, rowSource);
    QFETCH(QStringList, fields);
    TempDataFolder folder;
    Recordset records(DataFiles::connectionString(database), rowSource);
    QString error;
    QVERIFY2(records.open(&error), qPrintable(error));
    QCOMPARE(records.fieldNames(), fields);
    QVERIFY(records.isBOF() && records.isEOF());
}

void tst_DataFolder::missingFilesAreNamed()
{
    TempDataFolder folder;
    QFile::remove(folder.filePath(DataFiles::income));
    QFile::remove(folder.filePath(DataFiles::password));
    QCOMPARE(DataFolder::missingFiles(QDir(folder.path())),
             (QStringList{DataFiles::income, DataFiles::password}));
}

void tst_DataFolder::failedInstallationLeavesNothing()
{
    TempDataFolder folder(false);
    // A folder in the way of the last side file makes the installation fail late.
    QDir(folder.path()).mkdir(DataFiles::expenseNames);
    QString error;
    QVERIFY(!DataFolder::install(QDir(folder.path()), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

BRAMBLEWOOD_TEST_MAIN(tst_DataFolder)
#include "tst_DataFolder.moc"
