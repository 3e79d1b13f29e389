#include "RestoreCommand.h"

#include "AccessConversion.h"
#include "BackupArchive.h"
#include "Clock.h"
#include "DataRestore.h"
#include "ServerBackup.h"
#include "ServerRestore.h"
#include "DataSummary.h"
#include "MessageBox.h"
#include "WorkProgress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

namespace {

const QString title = QStringLiteral("Restore From Backup");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString RestoreCommand::askForBackup(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, title, startFolder, QStringLiteral("Backups (*.zip)"));
    dialog.setObjectName(QStringLiteral("dlgRestore"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

RestoreCommand::RestoreCommand(const DataFolder &folder, FloppyBackup::MediumFinder findMedium,
                               Chooser choose, MessageBox &messages, const Clock &clock,
                               const Window &window)
    : QObject(window.widget), m_folder(folder), m_findMedium(std::move(findMedium)),
      m_choose(std::move(choose)), m_messages(messages), m_clock(clock), m_window(window)
{
}

void RestoreCommand::tell(const QString &text, QMessageBox::Icon icon)
{
    m_messages.show(m_window.widget, {text, title, QMessageBox::Ok, icon});
}

// The backup's figures beside the folder's, No the default.
bool RestoreCommand::confirm(const QString &archive, const BackupArchive::Contents &contents,
                             const DataFolder &current)
{
    const DataSummary &backup = contents.summary;
    DataSummary now;
    QString error;
    const bool readNow = DataSummary::read(current, &now, &error);
    const QStringList labels = DataSummary::labels(), ours = backup.values(), theirs = now.values();
    QStringList lines;
    for (qsizetype i = 0; i < labels.size(); ++i)
        lines << QStringLiteral("%1: %2 in the backup").arg(labels[i], ours[i]) +
                     (readNow ? QStringLiteral(", %1 now").arg(theirs[i]) : QString());
    if (!readNow)
        lines << QStringLiteral("The current data could not be read: %1").arg(error);
    if (!contents.accessDatabases.isEmpty())
        lines << QStringLiteral("\nThe backup was made by the older program: its databases (%1) "
                                "are in the Access format and were converted to be restored.")
                     .arg(contents.accessDatabases.join(QLatin1String(", ")));
    const QString text =
        QStringLiteral("Restore replaces the current data with the backup %1.\n\n%2\n\nThe current "
                       "data are kept in a folder \"Before restore\" in the data folder; the "
                       "password stays as it is. Restore?")
            .arg(native(archive), lines.join(u'\n'));
    return m_messages.show(m_window.widget, {text, title, QMessageBox::Yes | QMessageBox::No,
                                             QMessageBox::Question, QMessageBox::No}) ==
           QMessageBox::Yes;
}

void RestoreCommand::mnuRestore_Click()
{
    const QString medium = m_findMedium();
    const QString archive = m_choose(m_window.widget, medium.isEmpty() ? m_folder.path() : medium);
    if (archive.isEmpty())
        return;
    // The backup is read into the data folder's own file system, so that
    // each of its files can take its place by a rename.
    QTemporaryDir work(DataRestore::workTemplate(m_folder));
    BackupArchive::Contents backup;
    QString error = work.errorString();
    // Reading back a backup of the older program converts its Access files,
    // which a damaged one can make slow: the user may call it off.
    WorkProgress reading(QStringLiteral("Reading the backup..."), 0, m_window.widget, true);
    const BackupArchive::Unpacking how{BackupArchive::roomFor(&m_folder, work.path()),
                                       AccessConversion::readerBesideProgram(), m_clock.today(),
                                       [&reading] {
                                           QCoreApplication::processEvents();
                                           return !reading.wasCanceled();
                                       }};
    const bool extracted =
        work.isValid() && BackupArchive::extract(archive, DataFolder(work.path()), how, &backup, &error);
    reading.finish();
    if (!extracted) {
        tell(QStringLiteral("The backup %1 cannot be restored. %2\n\nNothing was changed.")
                 .arg(native(archive), error),
             QMessageBox::Warning);
        return;
    }
    if (m_folder.isOnServer()) {
        restoreOnServer(archive, backup, DataFolder(work.path()));
        return;
    }
    if (!confirm(archive, backup, m_folder) || !m_window.letGo())
        return;
    WorkProgress progress(QStringLiteral("Restoring the backup..."), 8, m_window.widget);
    const DataRestore::Result result = DataRestore::run(
        m_folder, work.path(), m_clock.now(), [&](const QString &) { progress.advance(); });
    progress.finish();
    m_window.takeUp();
    if (result.restored)
        tell(QStringLiteral("The backup %1 was restored.\n\nThe data as they were before are kept "
                            "in %2.")
                 .arg(native(archive), native(result.kept)),
             QMessageBox::Information);
    else
        tell(QStringLiteral("The backup %1 was not restored. %2").arg(native(archive), result.error),
             QMessageBox::Warning);
}

// The books of every desk change at once: only the last desk open restores.
// What the server held is first kept as a data folder "Before restore".
void RestoreCommand::restoreOnServer(const QString &archive, const BackupArchive::Contents &backup,
                                     const DataFolder &work)
{
    qint64 others = 0;
    QString error;
    if (!ServerRestore::otherDesks(m_folder, &others, &error) || others > 0) {
        tell(others > 0 ? QStringLiteral("%1 other desk(s) have the books open. A restore replaces the books of "
                                         "every desk: have them leave the program, then restore.\n\nNothing "
                                         "was changed.")
                              .arg(others)
                        : QStringLiteral("The server could not be asked: %1\n\nNothing was changed.").arg(error),
             QMessageBox::Warning);
        return;
    }
    const QString kept = m_folder.filePath(DataRestore::keptFolderName(m_clock.now()));
    if (!QDir().mkpath(kept) || !ServerBackup::writeSnapshot(m_folder, DataFolder(kept), &error)) {
        QDir(kept).removeRecursively();
        tell(QStringLiteral("The books on the server could not be kept before the restore: %1\n\nNothing "
                            "was changed.")
                 .arg(error),
             QMessageBox::Warning);
        return;
    }
    if (!confirm(archive, backup, DataFolder(kept)) || !m_window.letGo()) {
        QDir(kept).removeRecursively();
        return;
    }
    const bool restored = ServerRestore::replace(m_folder, work, &error);
    m_window.takeUp();
    if (restored)
        tell(QStringLiteral("The backup %1 was restored.\n\nThe data as they were before are kept in %2.")
                 .arg(native(archive), native(kept)),
             QMessageBox::Information);
    else
        tell(QStringLiteral("The backup %1 was not restored. %2").arg(native(archive), error),
             QMessageBox::Warning);
}
