#include "DataFiles.h"
#include "FakeLauncher.h"
#include "ScriptedMessageBox.h"
#include "Startup.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmMain.h"

#include <QFile>
#include <QSysInfo>

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void emptyFolderBecomesFreshInstallation();
    void partialFolderIsRefusedUntouched();
    void secondProgramOnSameFolderIsRefused();
    void lockOfCrashedRunDoesNotLockOut();
};

void tst_Startup::emptyFolderBecomesFreshInstallation()
{
    TempDataFolder folder(false);
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    Startup startup(messages, launcher);
    QVERIFY(startup.run());
    QVERIFY(startup.mainWindow()->isVisible());
    for (const QString &name : DataFiles::all())
        QVERIFY2(QFile::exists(folder.filePath(name)), qPrintable(name));
    VERIFY_MESSAGES(messages);
}

void tst_Startup::partialFolderIsRefusedUntouched()
{
    TempDataFolder folder;
    QFile::remove(folder.filePath(DataFiles::expense));
    QFile::remove(folder.filePath(DataFiles::balance));
    const QStringList before = QDir(folder.path()).entryList(QDir::Files);
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    messages.expect({QStringLiteral("The data folder %1 is missing these files:\n\nExpense.mdb\n"
                                    "balance.kvd\n\nThe program ends without changing anything. "
                                    "Put the missing files back, for example from a backup, and "
                                    "start the program again.")
                         .arg(folder.path()),
                     "Bramblewood", QMessageBox::Ok, QMessageBox::Critical});
    {
        Startup startup(messages, launcher);
        QVERIFY(!startup.run());
        QVERIFY(!startup.mainWindow());
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
    VERIFY_MESSAGES(messages);
}

void tst_Startup::secondProgramOnSameFolderIsRefused()
{
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    Startup first(messages, launcher);
    QVERIFY(first.run());
    messages.expect({QStringLiteral("Bramblewood is already running on the data folder %1. Use the "
                                    "window that is open.")
                         .arg(folder.path()),
                     "Bramblewood", QMessageBox::Ok, QMessageBox::Critical});
    Startup second(messages, launcher);
    QVERIFY(!second.run());
    VERIFY_MESSAGES(messages);
}

void tst_Startup::lockOfCrashedRunDoesNotLockOut()
{
    TempDataFolder folder;
    // The lock of a run whose process is gone: a process number nobody has.
    folder.writeBytes(QStringLiteral("Bramblewood.lock"),
                      "2147483000\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                          QSysInfo::machineHostName().toUtf8() + "\n");
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    Startup startup(messages, launcher);
    QVERIFY(startup.run());
    VERIFY_MESSAGES(messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
