#include "MaintenanceCommands.h"

#include "CustomerExport.h"
#include "FloppyBackup.h"
#include "MessageBox.h"
#include "cZip.h"

#include <QProgressDialog>

MaintenanceCommands::MaintenanceCommands(MessageBox &messages, QWidget *window)
    : QObject(window), m_messages(messages), m_window(window), m_cZ(std::make_unique<cZip>())
{
}

MaintenanceCommands::~MaintenanceCommands() = default;

void MaintenanceCommands::tell(const QString &text, const QString &title, bool failed)
{
    m_messages.show(m_window, {text, title, QMessageBox::Ok,
                               failed ? QMessageBox::Warning : QMessageBox::NoIcon});
}

void MaintenanceCommands::mnuBackup_Click()
{
    // A big data folder takes a while to pack: each file packed moves the bar.
    QProgressDialog progress(QStringLiteral("Backing up the data files..."), QString(), 0, 7, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const auto connection = connect(m_cZ.get(), &cZip::Progress, &progress, [&progress] {
        progress.setValue(std::min(progress.value() + 1, progress.maximum() - 1));
    });
    const FloppyBackup::Result result =
        FloppyBackup::run(*m_cZ, FloppyBackup::mediumRoot(), QDate::currentDate());
    disconnect(connection);
    progress.setValue(progress.maximum());
    switch (result.outcome) {
    case FloppyBackup::Outcome::NoMedium:
        tell(QStringLiteral("No disk in drive. Please insert disk and try again."),
             MessageBox::applicationTitle());
        break;
    case FloppyBackup::Outcome::ArchiveFailed:
        tell(QStringLiteral("The backup archive %1 could not be made: %2")
                 .arg(FloppyBackup::archiveFile, result.error),
             MessageBox::applicationTitle(), true);
        break;
    case FloppyBackup::Outcome::CopyFailed:
        tell(QStringLiteral("The backup could not be copied to the disk: %1").arg(result.error),
             MessageBox::applicationTitle(), true);
        break;
    case FloppyBackup::Outcome::Done:
        tell(QStringLiteral("Files successfully backed up to floppy!"),
             QStringLiteral("Backup Successful!"));
        break;
    }
}

void MaintenanceCommands::mnuExport_Click()
{
    QProgressDialog progress(QStringLiteral("Exporting the customers..."), QString(), 0, 0, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    QString error;
    const bool exported = CustomerExport::run(&error);
    progress.reset();
    if (exported)
        tell(QStringLiteral("Export Completed"), MessageBox::applicationTitle());
    else
        tell(QStringLiteral("The customers could not be exported to %1: %2")
                 .arg(CustomerExport::workbookFile, error),
             MessageBox::applicationTitle(), true);
}
