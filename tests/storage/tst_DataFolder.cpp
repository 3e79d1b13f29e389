#include "DataFiles.h"
#include "DataFolder.h"
#include "TempDataFolder.h"
#include "TestMain.h"

#include <QFile>

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
