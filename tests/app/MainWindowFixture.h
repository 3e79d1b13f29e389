#pragma once

#include "Controls.h"
#include "DataFiles.h"
#include "DataControl.h"
#include "FakeLauncher.h"
#include "FixedClock.h"
#include "PlannedFaults.h"
#include "ProgramSettings.h"
#include "RecordingMessageBox.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "frmMain.h"

#include <QAction>
#include <QTemporaryDir>

// What the program remembers between runs goes to a file of the test's own,
// never to the user's.
inline const bool settingsKeptAside = [] {
    static QTemporaryDir folder;
    ProgramSettings::useFile(folder.filePath(QStringLiteral("Bramblewood.conf")));
    return true;
}();

// The main window loaded on a data folder, with a stand-in for the
// removable medium (the folder named by medium, or none when it is empty)
// and for the file dialog of a restore, which picks `chosen`, and for the
// question for a server's address, answered with `address`. Given a
// server's address, the folder holds nothing but the file that names it.
template <class Messages = ScriptedMessageBox> struct MainWindowWith {
    explicit MainWindowWith(const QString &server = {}) : folder(server.isEmpty()), server(server)
    {
        if (!server.isEmpty())
            folder.writeBytes(DataFiles::server, server.toUtf8() + "\r\n");
    }

    TempDataFolder folder;
    QString server;
    PlannedFaults faults;
    Messages messages;
    FakeLauncher launcher;
    FixedClock clock;
    QString medium;
    QString chosen;
    QString address;
    std::unique_ptr<frmMain> window;

    // Loaded, with the rows still being read on their worker threads.
    bool start()
    {
        OpenBooks books(server.isEmpty() ? folder.folder(faults) : folder.folder(faults).onServer(server));
        QString reason;
        if (!books.open(&reason))
            return false;
        window = std::make_unique<frmMain>(books, messages, launcher, clock, [this] { return medium; },
                                           [this](QWidget *, const QString &) { return chosen; },
                                           frmMain::askForDataFolder,
                                           [this](QWidget *, const QString &) { return address; });
        return window->Form_Load();
    }
    bool load()
    {
        const bool loaded = start();
        for (DataControl *data : window->findChildren<DataControl *>())
            data->recordset().rows();
        return loaded;
    }
    QString text(const QString &name) const { return box(window.get(), name)->text(); }
    void trigger(const QString &command) const { control<QAction>(window.get(), command)->trigger(); }
    void navigate(const QString &dataControl, const QString &button) const
    {
        click(control(window.get(), dataControl), button);
    }
};

using MainWindowFixture = MainWindowWith<>;
