#include "DataFiles.h"
#include "FakeLauncher.h"
#include "ScriptedMessageBox.h"
#include "Startup.h"
#include "TempDataFolder.h"
#include "frmMain.h"

#include <QFile>
#include <QSysInfo>
#include <QTest>

namespace {

const QString lockFile = QStringLiteral("Bramblewood.lock");

MessageBoxRequest refusal(const QString &text)
{
    return {text, "Bramblewood", QMessageBox::Ok, QMessageBox::Critical};
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    // The lock left by a run whose process is gone (a process number nobody
    // has) does not lock the user out; a folder without data files becomes a
    // fresh installation.
    void emptyFolderBecomesFreshInstallation()
    {
        TempDataFolder folder(false);
        folder.writeBytes(lockFile, "2147483000\n" + QCoreApplication::applicationName().toUtf8() +
                                        "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        Startup startup(folder.folder(), messages, launcher);
        QVERIFY(startup.run());
        QVERIFY(startup.mainWindow()->isVisible());
        QVERIFY(folder.folder().missingFiles().isEmpty());
    }

    void partialFolderIsRefusedUntouched()
    {
        TempDataFolder folder;
        QFile::remove(folder.filePath(DataFiles::expense));
        QFile::remove(folder.filePath(DataFiles::balance));
        const QStringList before = QDir(folder.path()).entryList(QDir::Files);
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        messages.expect(refusal(QStringLiteral("The data folder %1 is missing these files:\n\n"
                                               "Expense.mdb\nbalance.kvd\n\nThe program ends without "
                                               "changing anything. Put the missing files back, for "
                                               "example from a backup, and start the program again.")
                                    .arg(folder.path())));
        {
            Startup startup(folder.folder(), messages, launcher);
            QVERIFY(!startup.run());
            QVERIFY(!startup.mainWindow());
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
    }

    // A program open for an hour holds a lock older than QLockFile's default stale time.
    void secondProgramIsRefusedHoweverLongTheFirstRuns()
    {
        TempDataFolder folder;
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        Startup first(folder.folder(), messages, launcher);
        QVERIFY(first.run());
        QFile lock(folder.filePath(lockFile));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        lock.close();
        messages.expect(refusal(QStringLiteral("Bramblewood is already running on the data folder %1. "
                                               "Use the window that is open.")
                                    .arg(folder.path())));
        Startup second(folder.folder(), messages, launcher);
        QVERIFY(!second.run());
    }

};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
