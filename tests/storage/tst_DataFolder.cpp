#include "DataFiles.h"
#include "TempDataFolder.h"

#include <QFile>
#include <QTest>

class tst_DataFolder : public QObject
{
    Q_OBJECT
private slots:
    void installationIsAllOrNothing()
    {
        TempDataFolder temp(false);
        const DataFolder folder = temp.folder();
        QCOMPARE(folder.missingFiles(), DataFiles::all());
        // A folder in the way of the last side file makes the installation fail late.
        QDir(temp.path()).mkdir(DataFiles::expenseNames);
        QString error;
        QVERIFY(!folder.install(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());

        QDir(temp.path()).rmdir(DataFiles::expenseNames);
        QVERIFY2(folder.install(&error), qPrintable(error));
        QVERIFY(folder.missingFiles().isEmpty());
        QCOMPARE(temp.bytes(DataFiles::password), QByteArray("bramblewood\r\n"));
        QCOMPARE(temp.bytes(DataFiles::balance), QByteArray("0\r\n"));
        QCOMPARE(temp.bytes(DataFiles::incomeNames), QByteArray("\r\n"));
        QCOMPARE(temp.bytes(DataFiles::expenseNames), QByteArray("\r\n"));
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files).size(), 7);
        QCOMPARE(temp.storedCount("Income"), 0);

        QFile::remove(temp.filePath(DataFiles::income));
        QFile::remove(temp.filePath(DataFiles::password));
        QCOMPARE(folder.missingFiles(), (QStringList{DataFiles::income, DataFiles::password}));
    }
};

QTEST_GUILESS_MAIN(tst_DataFolder)
#include "tst_DataFolder.moc"
