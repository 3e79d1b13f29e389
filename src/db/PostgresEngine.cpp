#include "PostgresEngine.h"

#include "PgConnectionInfo.h"
#include "PgReader.h"
#include "SqlText.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QThreadPool>
#include <atomic>

namespace {

// The books' column types, as the rest of the program names them.
QString typeOf(const QString &serverType)
{
    if (serverType == QLatin1String("bigint") || serverType == QLatin1String("integer") ||
        serverType == QLatin1String("smallint"))
        return QStringLiteral("INTEGER");
    if (serverType == QLatin1String("double precision") || serverType == QLatin1String("real"))
        return QStringLiteral("REAL");
    return QStringLiteral("TEXT");
}

// The sequence that numbers the table's column, if one does.
QString sequenceOf(const QSqlDatabase &db, const QString &table, const QString &column)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT pg_get_serial_sequence(?, ?)"));
    query.addBindValue(quotedName(table));
    query.addBindValue(column);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

} // namespace

const PostgresEngine &PostgresEngine::instance()
{
    static const PostgresEngine engine;
    return engine;
}

Database PostgresEngine::server(const QString &uri, Faults &faults)
{
    return {&instance(), uri, &faults};
}

// The server tells at the open what it cannot find.
QString PostgresEngine::missing(const QString &) const
{
    return {};
}

// The schema is made when the books are made, and the server keeps the rest.
bool PostgresEngine::open(const QString &connection, const QString &database, Access access,
                          QString *error) const
{
    PgConnectionInfo::Parameters parameters;
    if (!PgConnectionInfo::parse(database, &parameters, error))
        return false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setConnectOptions(PgConnectionInfo::connectionString(parameters));
    QSqlQuery query(db);
    const bool opened =
        db.open() &&
        (access != Access::Create ||
         query.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(quotedName(PgConnectionInfo::schema)))) &&
        (access != Access::ReadOnly ||
         query.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")));
    if (!opened) {
        *error = db.lastError().isValid() ? db.lastError().text() : query.lastError().text();
        db.close();
    }
    return opened;
}

// A failed making was one transaction, which the server has rolled back.
void PostgresEngine::remove(const QString &) const {}

bool PostgresEngine::isReadOnly(const QString &) const
{
    return false;
}

QString PostgresEngine::displayName(const QString &database) const
{
    PgConnectionInfo::Parameters parameters;
    QString error, name;
    if (PgConnectionInfo::parse(database, &parameters, &error))
        for (const auto &[keyword, value] : std::as_const(parameters))
            if (keyword == "dbname")
                name = QString::fromUtf8(value);
    return QStringLiteral("The server's database %1").arg(name);
}

std::unique_ptr<RowReader> PostgresEngine::reader(const QString &database) const
{
    return std::make_unique<PgReader>(database);
}

// One table at a time, in the order asked: the first tab's rows then come
// first, where reading all tables at once has the server share its
// processors among them and finish every one late.
QThreadPool *PostgresEngine::tableReads() const
{
    static QThreadPool *const pool = [] {
        auto *pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(1);
        return pool;
    }();
    return pool;
}

// Unknown before the rows come; the block grows as they do.
qint64 PostgresEngine::sizeBound(const QString &) const
{
    return 0;
}

QString PostgresEngine::rowId() const
{
    return quotedName(QStringLiteral("RowId"));
}

bool PostgresEngine::columns(const QSqlDatabase &db, const QString &table, QList<TableColumn> *columns,
                             QString *error) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT column_name, data_type, is_identity = 'YES' OR coalesce(column_default, '') LIKE 'nextval(%' "
        "FROM information_schema.columns WHERE table_schema = current_schema() AND table_name = ? "
        "ORDER BY ordinal_position"));
    query.addBindValue(table);
    if (!query.exec())
        return queryFailed(query, error);
    while (query.next())
        columns->append({query.value(0).toString(), typeOf(query.value(1).toString()), query.value(2).toBool()});
    return true;
}

bool PostgresEngine::objects(const QSqlDatabase &db, QList<SchemaObject> *objects, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral(
            "SELECT 'table', tablename FROM pg_tables WHERE schemaname = current_schema() "
            "UNION ALL SELECT 'index', indexname FROM pg_indexes WHERE schemaname = current_schema() "
            "UNION ALL SELECT 'view', viewname FROM pg_views WHERE schemaname = current_schema() "
            "UNION ALL SELECT 'trigger', t.tgname FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND NOT t.tgisinternal")))
        return queryFailed(query, error);
    while (query.next())
        objects->append({query.value(0).toString(), query.value(1).toString()});
    return true;
}

// The index behind each table's primary key.
bool PostgresEngine::isOwn(const SchemaObject &object) const
{
    return object.type == QLatin1String("index") && object.name.endsWith(QLatin1String("_pkey"));
}

// No cheap count of other connections' commits: every refresh reads afresh.
bool PostgresEngine::changeCount(const QSqlDatabase &, qint64 *count, QString *) const
{
    static std::atomic<qint64> calls = 0;
    *count = ++calls;
    return true;
}

// Every table of the books locked against writers, other readers let on;
// a writer already at work is waited for two seconds.
bool PostgresEngine::holdWrites(const QSqlDatabase &db, QString *error) const
{
    QList<SchemaObject> all;
    if (!objects(db, &all, error))
        return false;
    QStringList tables;
    for (const SchemaObject &object : std::as_const(all))
        if (object.type == QLatin1String("table"))
            tables << quotedName(object.name);
    QSqlQuery query(db);
    return (query.exec(QStringLiteral("BEGIN")) && query.exec(QStringLiteral("SET LOCAL lock_timeout = '2s'")) &&
            (tables.isEmpty() ||
             query.exec(QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(tables.join(QLatin1String(", ")))))) ||
           queryFailed(query, error);
}

// The server keeps its tables sound itself: what is checked is that it answers.
bool PostgresEngine::check(const QSqlDatabase &db, QString *damage, QString *error) const
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT 1")) || !query.next())
        return queryFailed(query, error);
    damage->clear();
    return true;
}

QString PostgresEngine::checkName() const
{
    return QStringLiteral("the server's check");
}

bool PostgresEngine::compactInto(const QSqlDatabase &, const QString &, QString *error) const
{
    *error = QStringLiteral("The server keeps its tables compact itself; they are not copied into a file.");
    return false;
}

std::optional<qint64> PostgresEngine::nextKey(const QSqlDatabase &db, const QString &table) const
{
    QList<TableColumn> all;
    QString error;
    if (!columns(db, table, &all, &error))
        return std::nullopt;
    for (const TableColumn &column : std::as_const(all)) {
        if (!column.key || column.name == QLatin1String("RowId"))
            continue;
        QSqlQuery query(db);
        const QString sequence = sequenceOf(db, table, column.name);
        if (sequence.isEmpty() ||
            !query.exec(QStringLiteral("SELECT last_value, is_called FROM %1").arg(sequence)) || !query.next())
            return std::nullopt;
        return query.value(0).toLongLong() + (query.value(1).toBool() ? 1 : 0);
    }
    return std::nullopt;
}

bool PostgresEngine::continueKeys(const QSqlDatabase &db, const QString &table, const QString &key,
                                  qint64 last, QString *error) const
{
    const QString sequence = sequenceOf(db, table, key);
    if (sequence.isEmpty()) {
        *error = QStringLiteral("%1 has no column %2 that the server numbers.").arg(table, key);
        return false;
    }
    QSqlQuery query(db);
    // setval with false: the next number is the one given, at least 1.
    query.prepare(QStringLiteral("SELECT setval(?, greatest(?, (SELECT coalesce(max(%1), 0) FROM %2)) + 1, false)")
                      .arg(quotedName(key), quotedName(table)));
    query.addBindValue(sequence);
    query.addBindValue(last);
    return query.exec() || queryFailed(query, error);
}

bool PostgresEngine::announce(const QSqlDatabase &db, const QString &table, std::optional<qint64> rowid,
                              QString *error) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT pg_notify(?, ?)"));
    query.addBindValue(PgConnectionInfo::schema);
    query.addBindValue(rowid ? QStringLiteral("%1 %2").arg(table).arg(*rowid) : table);
    return query.exec() || queryFailed(query, error);
}

bool PostgresEngine::listen(const QSqlDatabase &db) const
{
    return db.driver()->subscribeToNotification(PgConnectionInfo::schema);
}

// libpq may not have noticed yet that the server went: a failed step asks.
bool PostgresEngine::isLost(const QSqlDatabase &db) const
{
    QSqlQuery probe(db);
    return db.isValid() && !probe.exec(QStringLiteral("SELECT 1"));
}
