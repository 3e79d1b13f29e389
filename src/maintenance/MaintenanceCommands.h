#pragma once

#include "DataFolder.h"
#include "FloppyBackup.h"

#include <QObject>
#include <memory>

class Clock;
class MessageBox;
class QWidget;
class cZip;

// The menu's backup and export commands, with the window's one zip component.
class MaintenanceCommands : public QObject
{
    Q_OBJECT
public:
    // saveSideFiles writes what the window holds only in memory, so that the
    // backup holds it too; it returns what failed.
    MaintenanceCommands(const DataFolder &folder, FloppyBackup::MediumFinder findMedium,
                        std::function<QStringList()> saveSideFiles, MessageBox &messages,
                        const Clock &clock, QWidget *window);
    ~MaintenanceCommands() override;

    void mnuBackup_Click();
    void mnuExport_Click();

private:
    void tell(const QString &text, const QString &title, bool failed = false);

    DataFolder m_folder;
    FloppyBackup::MediumFinder m_findMedium;
    std::function<QStringList()> m_saveSideFiles;
    MessageBox &m_messages;
    const Clock &m_clock;
    QWidget *m_window;
    std::unique_ptr<cZip> m_cZ;
};
