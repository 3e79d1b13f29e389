#pragma once

#include "BackupArchive.h"
#include "DataFolder.h"
#include "FloppyBackup.h"

#include <QMessageBox>
#include <QObject>
#include <functional>

class Clock;
class MessageBox;
class QWidget;

// The menu's Restore From Backup: a backup archive picked, checked and
// compared with the current data, and after the user's yes put in their
// place (DataRestore), the window letting go of the files before and taking
// them up again after.
class RestoreCommand : public QObject
{
    Q_OBJECT
public:
    // Asks for the archive, starting in the folder given; empty when none was picked.
    using Chooser = std::function<QString(QWidget *parent, const QString &startFolder)>;
    // The file dialog, "Backups (*.zip)".
    static QString askForBackup(QWidget *parent, const QString &startFolder);

    // What the window does around the restore: letGo saves what it holds
    // only in memory and closes every connection (false: the user kept a
    // change, and nothing may happen); takeUp reopens and shows the files.
    struct Window {
        QWidget *widget;
        std::function<bool()> letGo;
        std::function<void()> takeUp;
    };

    RestoreCommand(const DataFolder &folder, FloppyBackup::MediumFinder findMedium,
                   Chooser choose, MessageBox &messages, const Clock &clock, const Window &window);

    void mnuRestore_Click();

private:
    // Asks, beside the backup's figures and those of the current books.
    bool confirm(const QString &archive, const BackupArchive::Contents &contents, const DataFolder &current);
    void restoreOnServer(const QString &archive, const BackupArchive::Contents &backup, const DataFolder &work);
    void tell(const QString &text, QMessageBox::Icon icon);

    DataFolder m_folder;
    FloppyBackup::MediumFinder m_findMedium;
    Chooser m_choose;
    MessageBox &m_messages;
    const Clock &m_clock;
    Window m_window;
};
