#include "CustomerExport.h"
#include "MainWindowFixture.h"
#include "Readers.h"

#include <QTest>

// The menu's Backup and Export commands reach their work, and a failure is
// told as a failure, never as success.
class tst_MenuCommands : public QObject
{
    Q_OBJECT
private slots:
    void backup_data()
    {
        QTest::addColumn<QString>("medium"); // "": none mounted; "missing": a medium that went away
        QTest::addColumn<QString>("text"); // of the box, or its start
        QTest::addColumn<int>("icon");
        QTest::newRow("copied") << "medium" << "Files successfully backed up to floppy!"
                                << int(QMessageBox::NoIcon);
        QTest::newRow("no medium") << "" << "No disk in drive. Please insert disk and try again."
                                   << int(QMessageBox::NoIcon);
        QTest::newRow("medium gone") << "missing" << "The backup could not be copied to the disk: "
                                     << int(QMessageBox::Warning);
    }

    void backup()
    {
        QFETCH(QString, medium);
        QFETCH(QString, text);
        QFETCH(int, icon);
        MainWindowWith<RecordingMessageBox> f;
        QDir(f.folder.path()).mkdir("medium");
        if (!medium.isEmpty())
            f.medium = f.folder.filePath(medium);
        QVERIFY(f.load(QDate::currentDate()));
        f.trigger("mnuBackup");
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown.first().text.startsWith(text), qPrintable(f.messages.shown.first().text));
        QCOMPARE(int(f.messages.shown.first().icon), icon);
        QCOMPARE(Readers::zipEntries(f.folder.filePath("Backup.zip")).size(), 6);
        const QStringList copies = QDir(f.folder.filePath("medium")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(copies.size(), medium == "medium" ? 1 : 0);
    }

    void exportToExcel_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::addColumn<QString>("text");
        QTest::newRow("written") << false << "Export Completed";
        QTest::newRow("cannot be written") << true << "The customers could not be exported to Customers.xls: ";
    }

    void exportToExcel()
    {
        QFETCH(bool, folderInTheWay);
        QFETCH(QString, text);
        MainWindowWith<RecordingMessageBox> f;
        if (folderInTheWay)
            QDir(f.folder.path()).mkdir(CustomerExport::workbookFile);
        QVERIFY(f.load());
        f.trigger("mnuExport");
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown.first().text.startsWith(text), qPrintable(f.messages.shown.first().text));
        QCOMPARE(f.messages.shown.first().icon == QMessageBox::Warning, folderInTheWay);
        QCOMPARE(QFileInfo(f.folder.filePath(CustomerExport::workbookFile)).isFile(), !folderInTheWay);
    }
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_MenuCommands.moc"
