#pragma once

#include "DataFolder.h"

#include <QLockFile>
#include <memory>

class Launcher;
class MessageBox;
class frmMain;

// Start-up on the data folder: one program per folder, a fresh installation
// in an empty folder, a refusal to start on a folder that has lost some of
// its files, then the main window loaded and shown.
class Startup
{
public:
    Startup(const DataFolder &folder, MessageBox &messages, Launcher &launcher);
    ~Startup();

    // False when the program must end; the user has been told why.
    bool run();
    frmMain *mainWindow() const { return m_window.get(); }

private:
    bool lockFolder();
    bool prepareFolder();
    void tell(const QString &text);

    DataFolder m_folder;
    MessageBox &m_messages;
    Launcher &m_launcher;
    QLockFile m_lock;
    std::unique_ptr<frmMain> m_window;
};
