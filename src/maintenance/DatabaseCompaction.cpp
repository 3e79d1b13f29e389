#include "DatabaseCompaction.h"

#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "SafeFiles.h"

#include <QDir>
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
        *error = QStringLiteral("The copy is damaged: %1").arg(query.value(0).toString());
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

// VACUUM INTO reads the database in one read transaction, so that the copy
// is of one moment even while another program writes, and a change another
// program left half done is undone first. The copy must prove intact and
// hold as many rows as the database before it takes any name.
bool copyChecked(const QString &file, const QString &table, const QString &work, QString *error)
{
    if (QFile::exists(work) && !QFile::remove(work)) {
        *error = QStringLiteral("%1, left by an earlier exit, could not be removed.")
                     .arg(QFileInfo(work).fileName());
        return false;
    }
    qint64 before = 0, after = 0;
    const bool checked = vacuumInto(file, work, error) && countRows(file, table, &before, error) &&
                         isIntact(work, error) && countRows(work, table, &after, error);
    if (checked && before != after)
        *error = QStringLiteral("The copy holds %1 rows instead of %2.").arg(after).arg(before);
    if (!checked || before != after) {
        QFile::remove(work);
        return false;
    }
    return true;
}

bool replaceWith(const QString &work, const QString &file, QString *error)
{
    if (SafeFiles::replace(work, file, error))
        return true;
    QFile::remove(work); // no work file outlives the exit
    return false;
}

} // namespace

namespace DatabaseCompaction {

QList<Database> databases(const DataFolder &folder)
{
    QList<Database> all;
    for (const auto &[name, table] : DataFiles::databases()) {
        // A database that is a link is compacted where the link points, so
        // that the link stays and its target does not go stale.
        const QFileInfo info(folder.filePath(name));
        const QFileInfo file(info.isSymLink() && info.exists() ? info.canonicalFilePath()
                                                               : info.filePath());
        all.append({file.filePath(), table, folder.filePath(table + QStringLiteral("Backup.mdb")),
                    folder.filePath(QStringLiteral("New%1Backup.mdb").arg(table)),
                    file.dir().filePath(QStringLiteral("New") + file.fileName()),
                    Connection::isReadOnlyFile(file.filePath())});
    }
    return all;
}

bool backUp(const Database &database, QString *error)
{
    return copyChecked(database.file, database.table, database.backupWork, error) &&
           replaceWith(database.backupWork, database.backup, error);
}

bool compact(const Database &database, QString *error)
{
    return copyChecked(database.file, database.table, database.work, error);
}

bool replace(const Database &database, QString *error)
{
    return replaceWith(database.work, database.file, error);
}

} // namespace DatabaseCompaction
