#include "ExitSequence.h"

#include "DatabaseCompaction.h"
#include "MessageBox.h"

#include <QProgressDialog>

namespace ExitSequence {

void run(MessageBox &messages, QWidget *window, QStringList problems)
{
    const QList<DatabaseCompaction::Database> databases = DatabaseCompaction::databases();
    QString error;
    for (const auto &database : databases)
        if (!DatabaseCompaction::backUp(database, &error))
            problems << QStringLiteral("The backup copy %1 could not be written: %2")
                            .arg(database.backup, error);

    messages.show(window, {QStringLiteral("Databases will be compacted and saved!"),
                           QStringLiteral("Exiting Program")});

    // On a big data folder this takes a while: the window must not look frozen.
    QProgressDialog progress(QStringLiteral("Compacting the databases..."), QString(), 0,
                             int(databases.size()) * 2, window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    QList<DatabaseCompaction::Database> compacted;
    for (const auto &database : databases) {
        if (DatabaseCompaction::compact(database, &error))
            compacted << database;
        else
            problems << QStringLiteral("%1 could not be compacted and was left as it was: %2")
                            .arg(database.file, error);
        progress.setValue(progress.value() + 1);
    }
    // Only once every compaction is done does any database file change.
    for (const auto &database : compacted) {
        if (!DatabaseCompaction::replace(database, &error))
            problems << QStringLiteral("%1 could not be replaced by its compacted copy and was left "
                                       "as it was: %2")
                            .arg(database.file, error);
        progress.setValue(progress.value() + 1);
    }
    progress.setValue(progress.maximum());

    if (!problems.isEmpty())
        messages.show(window, {problems.join(QLatin1String("\n\n")), MessageBox::applicationTitle(),
                               QMessageBox::Ok, QMessageBox::Warning});
}

} // namespace ExitSequence
