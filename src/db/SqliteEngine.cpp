#include "SqliteEngine.h"

#include "SqlText.h"
#include "SqliteReader.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThreadPool>
#include <QUrl>

namespace {

// The rollback journal, not WAL: backups and the zip copy the database file
// alone, and a WAL file beside it would be left behind. FULL makes every
// committed change reach the disk before the call returns.
bool applySettings(const QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    for (const char *pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL"}) {
        if (!query.exec(QString::fromLatin1(pragma))) {
            *error = query.lastError().text();
            // Still locked once the busy timeout has run out: the user can act on that.
            if (query.lastError().nativeErrorCode() == QLatin1String("5"))
                *error = QStringLiteral("another program has held it locked for more than five "
                                        "seconds. Close that program, or wait until it is done, "
                                        "and try again");
            return false;
        }
    }
    return true;
}

// Never mode=rwc for a database that should exist: a file that vanishes
// between the check and the open is an error, not a new empty database.
QString uriFor(const QString &path, const QString &mode)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + mode;
}

} // namespace

const SqliteEngine &SqliteEngine::instance()
{
    static const SqliteEngine engine;
    return engine;
}

Database SqliteEngine::file(const QString &path, Faults &faults)
{
    return {&instance(), path, &faults};
}

QString SqliteEngine::missing(const QString &database) const
{
    return QFileInfo(database).isFile() ? QString()
                                        : QStringLiteral("The database file %1 does not exist.").arg(database);
}

bool SqliteEngine::open(const QString &connection, const QString &database, Access access,
                        QString *error) const
{
    const bool inMemory = database == QLatin1String(":memory:");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    const bool readOnly = access == Access::ReadOnly || (access == Access::ReadWrite && isReadOnly(database));
    if (inMemory)
        db.setDatabaseName(database);
    else
        db.setDatabaseName(uriFor(database, access == Access::Create ? QStringLiteral("rwc")
                                            : readOnly               ? QStringLiteral("ro")
                                                                     : QStringLiteral("rw")));
    db.setConnectOptions(inMemory ? QString() : QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open() || (access != Access::ReadOnly && !applySettings(db, error))) {
        if (db.lastError().isValid())
            *error = db.lastError().text();
        db.close();
        return false;
    }
    return true;
}

void SqliteEngine::remove(const QString &database) const
{
    QFile::remove(database);
}

// No write permission at all, or none for this process. A process run as
// root may write any file, so that it cannot tell the user's intent from a
// failed open.
bool SqliteEngine::isReadOnly(const QString &database) const
{
    const QFileInfo info(database);
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(info.permissions() & anyWrite) || !info.isWritable();
}

QString SqliteEngine::displayName(const QString &database) const
{
    return QFileInfo(database).fileName();
}

std::unique_ptr<RowReader> SqliteEngine::reader(const QString &database) const
{
    return std::make_unique<SqliteReader>(database);
}

QThreadPool *SqliteEngine::tableReads() const
{
    return QThreadPool::globalInstance();
}

// The file holds all the text and more.
qint64 SqliteEngine::sizeBound(const QString &database) const
{
    return QFileInfo(database).size();
}

QString SqliteEngine::rowId() const
{
    return QStringLiteral("rowid");
}

bool SqliteEngine::columns(const QSqlDatabase &db, const QString &table, QList<TableColumn> *columns,
                           QString *error) const
{
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(table))))
        return queryFailed(info, error);
    while (info.next())
        columns->append({info.value(1).toString(), info.value(2).toString(), info.value(5).toInt() != 0});
    return true;
}

bool SqliteEngine::objects(const QSqlDatabase &db, QList<SchemaObject> *objects, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master")))
        return queryFailed(query, error);
    while (query.next())
        objects->append({query.value(0).toString(), query.value(1).toString()});
    return true;
}

bool SqliteEngine::isOwn(const SchemaObject &object) const
{
    if (object.type == QLatin1String("table"))
        return object.name == QLatin1String("sqlite_sequence");
    return object.type == QLatin1String("index") && object.name.startsWith(QLatin1String("sqlite_autoindex_"));
}

bool SqliteEngine::changeCount(const QSqlDatabase &db, qint64 *count, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        return queryFailed(query, error);
    *count = query.value(0).toLongLong();
    return true;
}

bool SqliteEngine::holdWrites(const QSqlDatabase &db, QString *error) const
{
    QSqlQuery query(db);
    return (query.exec(QStringLiteral("PRAGMA busy_timeout = 2000")) &&
            query.exec(QStringLiteral("BEGIN IMMEDIATE"))) ||
           queryFailed(query, error);
}

// quick_check reads every page; it leaves out matching each index against
// its table, which makes integrity_check several times slower.
bool SqliteEngine::check(const QSqlDatabase &db, QString *damage, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return queryFailed(query, error);
    const QString verdict = query.value(0).toString();
    *damage = verdict == QLatin1String("ok") ? QString() : verdict;
    return true;
}

QString SqliteEngine::checkName() const
{
    return QStringLiteral("SQLite's quick check");
}

// SQLite would flush the copy several times on its way; the caller flushes
// it once, before it takes the database's name.
bool SqliteEngine::compactInto(const QSqlDatabase &db, const QString &copy, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA synchronous=OFF")))
        return queryFailed(query, error);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(copy);
    return query.exec() || queryFailed(query, error);
}

std::optional<qint64> SqliteEngine::nextKey(const QSqlDatabase &db, const QString &table) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    query.addBindValue(table);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong() + 1;
}

bool SqliteEngine::continueKeys(const QSqlDatabase &db, const QString &table, const QString &key,
                                qint64 last, QString *error) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"));
    query.addBindValue(table);
    if (!query.exec())
        return queryFailed(query, error);
    query.prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT ?, max(?, coalesce(max(%1), 0)) FROM %2")
                      .arg(quotedName(key), quotedName(table)));
    query.addBindValue(table);
    query.addBindValue(last);
    return query.exec() || queryFailed(query, error);
}

// One desk per folder: no one to tell.
bool SqliteEngine::announce(const QSqlDatabase &, const QString &, std::optional<qint64>, QString *) const
{
    return true;
}

bool SqliteEngine::listen(const QSqlDatabase &) const
{
    return false;
}

// A file does not go away under an open connection.
bool SqliteEngine::isLost(const QSqlDatabase &) const
{
    return false;
}
