#pragma once

#include "AccessConversion.h"
#include "DataFolder.h"
#include "FolderLock.h"

#include <QMessageBox>
#include <functional>
#include <memory>

class Clock;
class Launcher;
class MessageBox;
class frmMain;

// Start-up on the data folder, again on another that the user opens from the
// main window: one program per folder, a restore that a crash
// stopped part-way undone and what crashes left half written removed, a conversion into the folder that stopped part-way
// done again, databases in the Access format of the older
// program converted, a fresh installation
// in an empty folder or one whose installation was left unfinished, a new
// password file where only that is missing, a refusal to start on a folder
// that has lost any other file, then the main window loaded and shown.
class Startup
{
public:
    // Asks for the password of the server at the address; empty when none was given.
    using PasswordAsker = std::function<QString(const QString &address)>;
    static QString askForServerPassword(const QString &address);

    // jetReader: the program that reads Access files (AccessConversion).
    Startup(const DataFolder &folder, MessageBox &messages, Launcher &launcher, const Clock &clock,
            const QString &jetReader = AccessConversion::readerBesideProgram(),
            PasswordAsker askPassword = askForServerPassword);
    ~Startup();

    // False when the program must end; the user has been told why.
    bool run();
    frmMain *mainWindow() const { return m_window.get(); }

private:
    bool lockFolder();
    bool finishMoveToServer();
    bool findServer();
    bool finishConversionInto();
    bool convertAccessFiles();
    bool undoUnfinishedRestore();
    void removeLeftovers();
    bool prepareFolder();
    bool install();
    void welcome();
    void openDataFolder(const QString &path);
    bool writeNewPassword(bool fileMissing);
    bool writeSideFiles(const QStringList &names, bool passwordFileMissing);
    void tell(const QString &text, QMessageBox::Icon icon = QMessageBox::Critical);

    DataFolder m_folder;
    MessageBox &m_messages;
    Launcher &m_launcher;
    const Clock &m_clock;
    QString m_jetReader;
    PasswordAsker m_askPassword;
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<frmMain> m_window;
    bool m_installed = false; // a new data folder was set up
};
