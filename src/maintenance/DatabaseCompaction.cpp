#include "DatabaseCompaction.h"

#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "SafeFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

bool countRows(const QString &file, const QString &table, qint64 *rows, QString *error)
{
    Connection connection(file);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)) || !query.next()) {
        *error = query.lastError().text();
        return false;
    }
    *rows = query.value(0).toLongLong();
    return true;
}

bool isIntact(const QString &file, QString *error)
{
    Connection connection(file);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next()) {
        *error = query.lastError().text();
        return false;
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        *error = QStringLiteral("The compacted copy is damaged: %1").arg(query.value(0).toString());
        return false;
    }
    return true;
}

bool vacuumInto(const QString &file, const QString &work, QString *error)
{
    Connection connection(file);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(work);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}

} // namespace

namespace DatabaseCompaction {

QList<Database> databases(const DataFolder &folder)
{
    const struct {
        QString file, table;
    } databases[] = {{DataFiles::customers, QStringLiteral("Customers")},
                     {DataFiles::expense, QStringLiteral("Expense")},
                     {DataFiles::income, QStringLiteral("Income")}};
    QList<Database> all;
    for (const auto &database : databases)
        all.append({folder.filePath(database.file), database.table,
                    folder.filePath(database.table + QStringLiteral("Backup.mdb")),
                    folder.filePath(QStringLiteral("New") + database.file)});
    return all;
}

bool backUp(const Database &database, QString *error)
{
    return SafeFiles::copy(database.file, database.backup, error);
}

bool compact(const Database &database, QString *error)
{
    if (QFile::exists(database.work) && !QFile::remove(database.work)) {
        *error = QStringLiteral("%1, left by an earlier exit, could not be removed.")
                     .arg(QFileInfo(database.work).fileName());
        return false;
    }
    qint64 before = 0, after = 0;
    const bool checked = vacuumInto(database.file, database.work, error) &&
                         countRows(database.file, database.table, &before, error) &&
                         isIntact(database.work, error) &&
                         countRows(database.work, database.table, &after, error);
    if (checked && before != after)
        *error = QStringLiteral("The compacted copy holds %1 rows instead of %2.").arg(after).arg(before);
    if (!checked || before != after) {
        QFile::remove(database.work);
        return false;
    }
    return true;
}

bool replace(const Database &database, QString *error)
{
    if (SafeFiles::replace(database.work, database.file, error))
        return true;
    QFile::remove(database.work); // no work file outlives the exit
    return false;
}

} // namespace DatabaseCompaction
