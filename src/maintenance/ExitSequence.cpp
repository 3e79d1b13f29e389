#include "ExitSequence.h"

#include "DatabaseCompaction.h"
#include "MessageBox.h"
#include "WorkProgress.h"

#include <QFileInfo>

namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

namespace ExitSequence {

void run(const DataFolder &folder, MessageBox &messages, QWidget *window, QStringList problems)
{
    const QList<DatabaseCompaction::Database> databases = DatabaseCompaction::databases(folder);
    QString error;
    for (const auto &database : databases)
        if (!DatabaseCompaction::backUp(database, &error))
            problems << QStringLiteral("The backup copy %1 could not be brought up to date and was "
                                       "left as it was: %2")
                            .arg(nameOf(database.backup), error);

    messages.show(window, {QStringLiteral("Databases will be compacted and saved!"),
                           QStringLiteral("Exiting Program")});

    WorkProgress progress(QStringLiteral("Compacting the databases..."), int(databases.size()) * 2,
                          window);
    QList<DatabaseCompaction::Database> compacted;
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
    for (const auto &database : compacted) {
        if (!DatabaseCompaction::replace(database, &error))
            problems << QStringLiteral("%1 could not be replaced by its compacted copy and was left "
                                       "as it was: %2")
                            .arg(nameOf(database.file), error);
        progress.advance();
    }
    progress.finish();

    if (!problems.isEmpty())
        messages.show(window, {problems.join(QLatin1String("\n\n")), MessageBox::applicationTitle(),
                               QMessageBox::Ok, QMessageBox::Warning});
}

} // namespace ExitSequence
