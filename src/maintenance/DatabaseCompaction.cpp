#include "DatabaseCompaction.h"

#include "Connection.h"
#include "DataFiles.h"
#include "SafeFiles.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {

bool countRows(const QString &file, const QString &table, qint64 *rows, QString *error)
{
    Connection connection(DataFiles::connectionString(file));
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
    Connection connection(DataFiles::connectionString(file));
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
    Connection connection(DataFiles::connectionString(file));
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

QList<Database> databases()
{
    QList<Database> all;
    for (const QString &file : {DataFiles::customers, DataFiles::expense, DataFiles::income}) {
        const QString name = file.chopped(4);
        all.append({file, name + QStringLiteral("Backup.mdb"), QStringLiteral("New") + file});
    }
    return all;
}

bool backUp(const Database &database, QString *error)
{
    return SafeFiles::copy(database.file, database.backup, error);
}

bool compact(const Database &database, QString *error)
{
    if (QFile::exists(database.work) && !QFile::remove(database.work)) {
        *error = QStringLiteral("%1, left by an earlier exit, could not be removed.").arg(database.work);
        return false;
    }
    const QString table = database.file.chopped(4); // each database holds the table it is named after
    qint64 before = 0, after = 0;
    const bool checked = vacuumInto(database.file, database.work, error) &&
                         countRows(database.file, table, &before, error) &&
                         isIntact(database.work, error) &&
                         countRows(database.work, table, &after, error);
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
