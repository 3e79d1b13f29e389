#include "ExitSequence.h"

#include "DataFolder.h"
#include "DatabaseCompaction.h"
#include "MessageBox.h"
#include "SqliteEngine.h"
#include "WorkProgress.h"
#include "WriteHold.h"

#include <QFileInfo>
#include <memory>
#include <vector>

using DatabaseCompaction::DatabaseFiles;

namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString backupProblem(const DatabaseFiles &database, const QString &error)
{
    return QStringLiteral("The backup copy %1 could not be brought up to date and was left as it "
                          "was: %2")
        .arg(nameOf(database.backup), error);
}

QString replacementProblem(const DatabaseFiles &database, const QString &error)
{
    return QStringLiteral("%1 could not be replaced by its compacted copy and was left as it "
                          "was: %2")
        .arg(nameOf(database.file), error);
}

// One flush of each folder makes a batch of renames last; when it fails, none
// of them is known to have reached the disk.
void syncFolders(const Disk &disk, const QList<DatabaseFiles> &renamed, QString DatabaseFiles::*target,
                 QString (*problem)(const DatabaseFiles &, const QString &), QStringList &problems)
{
    QStringList files;
    for (const DatabaseFiles &database : renamed)
        files << database.*target;
    QString error;
    if (!disk.syncFolders(files, &error))
        for (const DatabaseFiles &database : renamed)
            problems << problem(database, error);
}

void tellExiting(MessageBox &messages, QWidget *window)
{
    messages.show(window, {QStringLiteral("Databases will be compacted and saved!"),
                           QStringLiteral("Exiting Program")});
}

void tellProblems(MessageBox &messages, QWidget *window, const QStringList &problems)
{
    if (!problems.isEmpty())
        messages.show(window, {problems.join(QLatin1String("\n\n")), MessageBox::applicationTitle(),
                               QMessageBox::Ok, QMessageBox::Warning});
}

} // namespace

namespace ExitSequence {

void run(const DataFolder &folder, MessageBox &messages, QWidget *window, QStringList problems)
{
    if (folder.isOnServer()) { // the server keeps its own tables: nothing to copy or compact
        tellExiting(messages, window);
        tellProblems(messages, window, problems);
        return;
    }
    const QList<DatabaseFiles> databases = DatabaseCompaction::databases(folder);
    const Disk disk = folder.disk();
    QString error;
    QList<DatabaseFiles> backedUp;
    for (const auto &database : databases) {
        if (DatabaseCompaction::backUp(disk, database, &error))
            backedUp << database;
        else
            problems << backupProblem(database, error);
    }
    syncFolders(disk, backedUp, &DatabaseFiles::backup, backupProblem, problems);

    tellExiting(messages, window);

    WorkProgress progress(QStringLiteral("Compacting the databases..."), int(databases.size()) * 2,
                          window);
    QList<DatabaseFiles> compacted;
    // From its copy until the copy has its name, no other program may commit
    // to a database: the rename would drop what it wrote.
    std::vector<std::unique_ptr<WriteHold>> holds;
    for (const auto &database : databases) {
        if (database.readOnly) // the user's read-only file is left exactly as it is
            continue;
        auto hold = std::make_unique<WriteHold>(SqliteEngine::file(database.file));
        if (!hold->take(&error))
            problems << QStringLiteral("%1 is being changed by another program, so it was not "
                                       "compacted this time and is left as that program makes it: %2")
                            .arg(nameOf(database.file), error);
        else if (DatabaseCompaction::compact(database, &error)) {
            compacted << database;
            holds.push_back(std::move(hold));
        } else
            problems << QStringLiteral("%1 could not be compacted and was left as it was: %2")
                            .arg(nameOf(database.file), error);
        progress.advance();
    }
    // Only once every compaction is done does any database file change.
    QList<DatabaseFiles> replaced;
    for (const auto &database : compacted) {
        if (DatabaseCompaction::replace(disk, database, &error))
            replaced << database;
        else
            problems << replacementProblem(database, error);
        progress.advance();
    }
    syncFolders(disk, replaced, &DatabaseFiles::file, replacementProblem, problems);
    holds.clear();
    progress.finish();
    tellProblems(messages, window, problems);
}

} // namespace ExitSequence
