#include "ServerLoad.h"

#include "Connection.h"
#include "PgConnectionInfo.h"
#include "Schema.h"
#include "SqlText.h"

#include <QSqlQuery>

namespace {

// One statement for the given number of rows of the table.
QString insertStatement(const ServerLoad::Table &table, qsizetype rows)
{
    QStringList names, marks;
    for (const QString &column : table.columns) {
        names << quotedName(column);
        marks << QStringLiteral("?");
    }
    const QString row = QStringLiteral("(%1)").arg(marks.join(QLatin1String(", ")));
    QStringList values(rows, row);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(quotedName(table.name), names.join(QLatin1String(", ")), values.join(QLatin1String(", ")));
}

// Hundreds of rows a statement: a round trip to the server for each row
// would have a large folder's move take minutes.
bool insertRows(const QSqlDatabase &db, const ServerLoad::Table &table, QString *error)
{
    constexpr qsizetype rowsPerStatement = 500;
    const qsizetype left = table.rows->columns() - table.columns.size();
    QSqlQuery query(db);
    qsizetype prepared = 0;
    for (qsizetype first = 0; first < table.rows->rows(); first += rowsPerStatement) {
        const qsizetype rows = std::min(rowsPerStatement, table.rows->rows() - first);
        if (rows != prepared && !query.prepare(insertStatement(table, rows)))
            return queryFailed(query, error);
        prepared = rows;
        int at = 0;
        for (qsizetype row = first; row < first + rows; ++row)
            for (qsizetype column = 0; column < table.columns.size(); ++column)
                query.bindValue(at++, table.rows->value(row, left + column));
        if (!query.exec())
            return queryFailed(query, error);
    }
    return true;
}

bool execute(const QSqlDatabase &db, const QString &statement, const QVariantList &values, QString *error)
{
    QSqlQuery query(db);
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec() || queryFailed(query, error);
}

bool writeSideValues(const QSqlDatabase &db, const ServerLoad::SideValues &side, QString *error)
{
    return execute(db, QStringLiteral(R"(INSERT INTO "Balance" VALUES (?))"), {side.balance}, error) &&
           execute(db, QStringLiteral(R"(INSERT INTO "Password" VALUES (?))"), {side.password}, error) &&
           execute(db, QStringLiteral(R"(INSERT INTO "RememberedNames" VALUES ('Income', ?), ('Expense', ?))"),
                   {boundText(side.incomeNames), boundText(side.expenseNames)}, error);
}

bool insertAll(const Database &server, const QSqlDatabase &db, const QList<ServerLoad::Table> &tables,
               QString *error)
{
    for (const ServerLoad::Table &table : tables)
        if (!insertRows(db, table, error) ||
            (!table.numbered.isEmpty() &&
             !server.engine->continueKeys(db, table.name, table.numbered, table.lastNumber, error)))
            return false;
    return true;
}

bool readBack(const QSqlDatabase &db, const QList<ServerLoad::Table> &tables,
              QMap<QString, ServerLoad::Figures> *figures, QString *error)
{
    QSqlQuery query(db);
    for (const ServerLoad::Table &table : tables) {
        if (!query.exec(QStringLiteral("SELECT count(*), coalesce(sum(%1), 0) FROM %2")
                            .arg(quotedName(table.summed), quotedName(table.name))) ||
            !query.next())
            return queryFailed(query, error);
        figures->insert(table.name, {query.value(0).toLongLong(), query.value(1).toDouble()});
    }
    return true;
}

// The server learns the new rows' spread and which pages hold only
// committed rows, so that the first read plans well and walks the indexes
// alone. Only its speed depends on it, so a refusal is no failure.
void settle(const Database &server, const QList<ServerLoad::Table> &tables)
{
    Connection connection(server);
    QString error;
    QStringList names;
    for (const ServerLoad::Table &table : tables)
        names << quotedName(table.name);
    if (connection.open(&error))
        QSqlQuery(connection.database()).exec(QStringLiteral("VACUUM (ANALYZE) ") + names.join(QLatin1String(", ")));
}

} // namespace

namespace ServerLoad {

bool isEmpty(const Database &server, bool *empty, QString *error)
{
    Connection connection(server, Engine::Access::ReadOnly);
    QList<SchemaObject> objects;
    if (!connection.open(error) || !server.engine->objects(connection.database(), &objects, error))
        return false;
    *empty = std::none_of(objects.begin(), objects.end(),
                          [](const SchemaObject &object) { return object.type == QLatin1String("table"); });
    return true;
}

bool load(const Database &server, const QList<Table> &tables, const SideValues &side, const ReadBack &accept,
          QString *error)
{
    const auto fill = [&](const QSqlDatabase &db, QString *error) {
        if (!insertAll(server, db, tables, error))
            return false;
        QMap<QString, Figures> figures;
        return writeSideValues(db, side, error) && readBack(db, tables, &figures, error) && accept(figures, error);
    };
    if (!Schema::create(server, Schema::onServer(), error, fill))
        return false;
    settle(server, tables);
    return true;
}

bool otherDesks(const Database &server, qint64 *count, QString *error)
{
    Connection connection(server, Engine::Access::ReadOnly);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    query.prepare(QStringLiteral("SELECT count(DISTINCT application_name) FROM pg_stat_activity WHERE "
                                 "datname = current_database() AND application_name LIKE 'bramblewood %' AND "
                                 "application_name <> ?"));
    query.addBindValue(PgConnectionInfo::thisDesk());
    if (!query.exec() || !query.next())
        return queryFailed(query, error);
    *count = query.value(0).toLongLong();
    return true;
}

bool replace(const Database &server, const QList<Table> &tables, const SideValues &side, QString *error)
{
    Connection connection(server);
    const auto replaceAll = [&](QString *error) {
        const QSqlDatabase db = connection.database();
        for (const Table &table : tables)
            if (!execute(db, QStringLiteral("DELETE FROM %1").arg(quotedName(table.name)), {}, error) ||
                !server.engine->announce(db, table.name, std::nullopt, error))
                return false;
        return insertAll(server, db, tables, error) &&
               execute(db, QStringLiteral(R"(UPDATE "Balance" SET "Amount" = ?)"), {side.balance}, error) &&
               execute(db, QStringLiteral(R"(UPDATE "RememberedNames" SET "Names" = CASE "Ledger" WHEN 'Income' THEN ? ELSE ? END)"),
                       {boundText(side.incomeNames), boundText(side.expenseNames)}, error);
    };
    if (!connection.open(error) || !connection.inTransaction(replaceAll, error))
        return false;
    settle(server, tables);
    return true;
}

} // namespace ServerLoad
