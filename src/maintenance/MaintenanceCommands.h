#pragma once

#include "DataFolder.h"
#include "FloppyBackup.h"

#include <QObject>
#include <memory>

class MessageBox;
class QWidget;
class cZip;

// The menu's backup and export commands, with the window's one zip component.
class MaintenanceCommands : public QObject
{
    Q_OBJECT
public:
    MaintenanceCommands(const DataFolder &folder, FloppyBackup::MediumFinder findMedium,
                        MessageBox &messages, QWidget *window);
    ~MaintenanceCommands() override;

    void mnuBackup_Click();
    void mnuExport_Click();

private:
    void tell(const QString &text, const QString &title, bool failed = false);

    DataFolder m_folder;
    FloppyBackup::MediumFinder m_findMedium;
    MessageBox &m_messages;
    QWidget *m_window;
    std::unique_ptr<cZip> m_cZ;
};
