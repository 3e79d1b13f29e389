#include "MaintenanceCommands.h"

#include "Clock.h"
#include "CustomerExport.h"
#include "MessageBox.h"
#include "ServerBackup.h"
#include "WorkProgress.h"
#include "cZip.h"

#include <QDir>
#include <QTemporaryDir>

MaintenanceCommands::MaintenanceCommands(const DataFolder &folder,
                                         FloppyBackup::MediumFinder findMedium,
                                         std::function<QStringList()> saveSideFiles,
                                         MessageBox &messages, const Clock &clock, QWidget *window)
    : QObject(window), m_folder(folder), m_findMedium(std::move(findMedium)),
      m_saveSideFiles(std::move(saveSideFiles)), m_messages(messages), m_clock(clock),
      m_window(window),
      m_cZ(std::make_unique<cZip>())
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
    if (const QStringList problems = m_saveSideFiles(); !problems.isEmpty()) {
        tell(problems.join(QLatin1String("\n\n")), MessageBox::applicationTitle(), true);
        return;
    }
    // Books on a server are backed up as a data folder of the moment, so that
    // the backup restores anywhere.
    QTemporaryDir snapshot;
    QString error = snapshot.errorString();
    if (m_folder.isOnServer() &&
        (!snapshot.isValid() || !ServerBackup::writeSnapshot(m_folder, DataFolder(snapshot.path()), &error))) {
        tell(QStringLiteral("The books on the server could not be read for the backup: %1").arg(error),
             MessageBox::applicationTitle(), true);
        return;
    }
    const DataFolder backedUp = m_folder.isOnServer() ? DataFolder(snapshot.path()) : m_folder;
    // A big data folder takes a while to pack: each file packed moves the bar.
    WorkProgress progress(QStringLiteral("Backing up the data files..."), 7, m_window);
    const auto connection = connect(m_cZ.get(), &cZip::Progress, &progress, &WorkProgress::advance);
    const FloppyBackup::Result result =
        FloppyBackup::run(*m_cZ, backedUp, m_findMedium(), m_clock.today());
    disconnect(connection);
    progress.finish();
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
    case FloppyBackup::Outcome::CheckFailed:
        tell(QStringLiteral("The backup archive %1 failed its check and was not copied to the "
                            "disk. %2")
                 .arg(FloppyBackup::archiveFile, result.error),
             MessageBox::applicationTitle(), true);
        break;
    case FloppyBackup::Outcome::CopyFailed:
        tell(QStringLiteral("The backup could not be copied to the disk: %1\n\nAny earlier backup "
                            "of today on the disk was left as it was.")
                 .arg(result.error),
             MessageBox::applicationTitle(), true);
        break;
    case FloppyBackup::Outcome::Done:
        tell(QStringLiteral("Files successfully backed up to floppy!\n\nCopied to %1: customers "
                            "%2, incomes %3, expenses %4.")
                 .arg(QDir::toNativeSeparators(result.copy))
                 .arg(result.summary.customers)
                 .arg(result.summary.incomes)
                 .arg(result.summary.expenses),
             QStringLiteral("Backup Successful!"));
        break;
    }
}

void MaintenanceCommands::mnuExport_Click()
{
    WorkProgress progress(QStringLiteral("Exporting the customers..."), 0, m_window);
    QString error;
    qsizetype cut = 0;
    const bool exported = CustomerExport::run(m_folder, &cut, &error);
    progress.finish();
    const QString cutTold =
        cut == 0 ? QString()
        : cut == 1
            ? QStringLiteral("\n\nOne text was longer than a cell holds (32,767 characters) and "
                             "was cut there.")
            : QStringLiteral("\n\n%1 texts were longer than a cell holds (32,767 characters) and "
                             "were cut there.")
                  .arg(cut);
    if (exported)
        tell(QStringLiteral("Export Completed\n%1")
                     .arg(QDir::toNativeSeparators(m_folder.filePath(CustomerExport::workbookFile))) +
                 cutTold,
             MessageBox::applicationTitle());
    else
        tell(QStringLiteral("The customers could not be exported to %1: %2")
                 .arg(CustomerExport::workbookFile, error),
             MessageBox::applicationTitle(), true);
}
