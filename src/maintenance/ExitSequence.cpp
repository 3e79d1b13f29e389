#include "ExitSequence.h"

#include "DatabaseCompaction.h"
#include "MessageBox.h"
#include "SafeFiles.h"
#include "WorkProgress.h"

#include <QFileInfo>

using DatabaseCompaction::Database;

namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString backupProblem(const Database &database, const QString &error)
{
    return QStringLiteral("The backup copy %1 could not be brought up to date and was left as it "
                          "was: %2")
        .arg(nameOf(database.backup), error);
}

QString replacementProblem(const Database &database, const QString &error)
{
    return QStringLiteral("%1 could not be replaced by its compacted copy and was left as it "
                          "was: %2")
        .arg(nameOf(database.file), error);
}

// One flush of each folder makes a batch of renames last; when it fails, none
// of them is known to have reached the disk.
void syncFolders(const QList<Database> &renamed, QString Database::*target,
                 QString (*problem)(const Database &, const QString &), QStringList &problems)
{
    QStringList files;
    for (const Database &database : renamed)
        files << database.*target;
    QString error;
    if (!SafeFiles::syncFolders(files, &error))
        for (const Database &database : renamed)
            problems << problem(database, error);
}

} // namespace

namespace ExitSequence {

void run(const DataFolder &folder, MessageBox &messages, QWidget *window, QStringList problems)
{
    const QList<Database> databases = DatabaseCompaction::databases(folder);
    QString error;
    QList<Database> backedUp;
    for (const auto &database : databases) {
        if (DatabaseCompaction::backUp(database, &error))
            backedUp << database;
        else
            problems << backupProblem(database, error);
    }
    syncFolders(backedUp, &Database::backup, backupProblem, problems);

    messages.show(window, {QStringLiteral("Databases will be compacted and saved!"),
                           QStringLiteral("Exiting Program")});

    WorkProgress progress(QStringLiteral("Compacting the databases..."), int(databases.size()) * 2,
                          window);
    QList<Database> compacted;
    for (const auto &database : databases) {
        if (database.readOnly) // the user's read-only file is left exactly as it is
            continue;
        if (DatabaseCompaction::compact(database, &error))
            compacted << database;
        else
            problems << QStringLiteral("%1 could not be compacted and was left as it was: %2")
                            .arg(nameOf(database.file), error);
        progress.advance();
    }
    // Only once every compaction is done does any database file change.
    QList<Database> replaced;
    for (const auto &database : compacted) {
        if (DatabaseCompaction::replace(database, &error))
            replaced << database;
        else
            problems << replacementProblem(database, error);
        progress.advance();
    }
    syncFolders(replaced, &Database::file, replacementProblem, problems);
    progress.finish();

    if (!problems.isEmpty())
        messages.show(window, {problems.join(QLatin1String("\n\n")), MessageBox::applicationTitle(),
                               QMessageBox::Ok, QMessageBox::Warning});
}

} // namespace ExitSequence
