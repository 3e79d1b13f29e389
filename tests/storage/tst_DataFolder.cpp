#include "DataFiles.h"
#include "TempDataFolder.h"

#include <QFile>
#include <QTest>

class tst_DataFolder : public QObject
{
    Q_OBJECT
private slots:
    void freshInstallationHasAllFiles();
    void missingFilesAreNamed();
    void failedInstallationLeavesNothing();
};

void tst_DataFolder::freshInstallationHasAllFiles()
{
    TempDataFolder temp(false);
    const DataFolder folder = temp.folder();
    QCOMPARE(folder.missingFiles(), DataFiles::all());
    QString error;
    QVERIFY2(folder.install(&error), qPrintable(error));
    QVERIFY(folder.missingFiles().isEmpty());
    QCOMPARE(temp.bytes(DataFiles::password), QByteArray("bramblewood\r\n"));
    QCOMPARE(temp.bytes(DataFiles::balance), QByteArray("0\r\n"));
    QCOMPARE(temp.bytes(DataFiles::incomeNames), QByteArray("\r\n"));
    QCOMPARE(temp.bytes(DataFiles::expenseNames), QByteArray("\r\n"));
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files).size(), 7);
    QCOMPARE(temp.storedCount("Income"), 0);
}

void tst_DataFolder::missingFilesAreNamed()
{
    TempDataFolder temp;
    QFile::remove(temp.filePath(DataFiles::income));
    QFile::remove(temp.filePath(DataFiles::password));
    QCOMPARE(temp.folder().missingFiles(), (QStringList{DataFiles::income, DataFiles::password}));
}

void tst_DataFolder::failedInstallationLeavesNothing()
{
    TempDataFolder temp(false);
    // A folder in the way of the last side file makes the installation fail late.
    QDir(temp.path()).mkdir(DataFiles::expenseNames);
    QString error;
    QVERIFY(!temp.folder().install(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(tst_DataFolder)
#include "tst_DataFolder.moc"
