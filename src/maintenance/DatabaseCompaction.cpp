#include "DatabaseCompaction.h"

#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>

namespace {

// Each table's name and number of rows.
using RowCounts = QMap<QString, qint64>;

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

bool countRows(const QSqlDatabase &database, RowCounts *counts, QString *error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'")))
        return failed(query, error);
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    for (const QString &table : std::as_const(tables)) {
        const QString quoted = QString(table).replace(u'"', QLatin1String("\"\""));
        if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(quoted)) || !query.next())
            return failed(query, error);
        counts->insert(table, query.value(0).toLongLong());
    }
    return true;
}

// What the exit needs of a copy: a readable database holding as many rows in
// each table as the source. quick_check reads every page; it leaves out
// matching each index against its table, which makes integrity_check several
// times slower.
bool isFaithful(const QString &work, const RowCounts &source, QString *error)
{
    Connection connection(work);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return failed(query, error);
    if (query.value(0).toString() != QLatin1String("ok")) {
        *error = QStringLiteral("The copy is damaged: %1").arg(query.value(0).toString());
        return false;
    }
    RowCounts copied;
    if (!countRows(connection.database(), &copied, error))
        return false;
    for (auto table = source.begin(); table != source.end(); ++table) {
        if (copied.value(table.key(), -1) != table.value()) {
            *error = QStringLiteral("The copy holds %1 rows instead of %2.")
                         .arg(copied.value(table.key()))
                         .arg(table.value());
            return false;
        }
    }
    return true;
}

bool vacuumInto(const QString &file, const QString &work, QString *error)
{
    Connection connection(file);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    // SQLite would flush the work file several times on its way; it is
    // flushed once, before it takes the database's name.
    if (!query.exec(QStringLiteral("PRAGMA synchronous=OFF")))
        return failed(query, error);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(work);
    return query.exec() || failed(query, error);
}

// A read transaction holds the database still while its rows are counted
// and the copy made, so that both are of one moment even while another
// program writes; a change another program left half done is undone first,
// by the count's read, at full safety.
bool copyHeldStill(const QString &file, const std::function<bool(QString *error)> &copy,
                   RowCounts *rows, QString *error)
{
    Connection source(file);
    if (!source.open(error))
        return false;
    QSqlDatabase database = source.database();
    if (!database.transaction()) {
        *error = database.lastError().text();
        return false;
    }
    const bool copied = countRows(database, rows, error) && copy(error);
    database.rollback();
    return copied;
}

// The copy must prove faithful before it takes any name.
bool copyChecked(const QString &file, const QString &work,
                 const std::function<bool(QString *error)> &copy, QString *error)
{
    if (QFile::exists(work) && !QFile::remove(work)) {
        *error = QStringLiteral("%1, left by an earlier exit, could not be removed.")
                     .arg(QFileInfo(work).fileName());
        return false;
    }
    RowCounts rows;
    if (copyHeldStill(file, copy, &rows, error) && isFaithful(work, rows, error))
        return true;
    QFile::remove(work);
    return false;
}

bool replaceWith(const Disk &disk, const QString &work, const QString &file, QString *error)
{
    if (disk.replaceUnsynced(work, file, error))
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
        all.append({file.filePath(), folder.filePath(table + QStringLiteral("Backup.mdb")),
                    folder.filePath(QStringLiteral("New%1Backup.mdb").arg(table)),
                    file.dir().filePath(QStringLiteral("New") + file.fileName()),
                    Connection::isReadOnlyFile(file.filePath())});
    }
    return all;
}

bool backUp(const Disk &disk, const Database &database, QString *error)
{
    // Open until the read transaction is over: closing any descriptor of a
    // file drops every lock this process holds on it, the transaction's too.
    QFile source(database.file);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    const auto copy = [&](QString *error) {
        return disk.copyUnsynced(source, database.backupWork, error);
    };
    return copyChecked(database.file, database.backupWork, copy, error) &&
           replaceWith(disk, database.backupWork, database.backup, error);
}

bool compact(const Database &database, QString *error)
{
    const auto vacuum = [&](QString *error) {
        return vacuumInto(database.file, database.work, error);
    };
    return copyChecked(database.file, database.work, vacuum, error);
}

bool replace(const Disk &disk, const Database &database, QString *error)
{
    return replaceWith(disk, database.work, database.file, error);
}

} // namespace DatabaseCompaction
