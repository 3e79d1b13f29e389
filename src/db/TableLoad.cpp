#include "TableLoad.h"

#include "Connection.h"
#include "Schema.h"
#include "SqlText.h"
#include "SqliteEngine.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString names(const QStringList &columns)
{
    QStringList quoted;
    for (const QString &column : columns)
        quoted << quotedName(column);
    return quoted.join(QLatin1String(", "));
}

bool insertRows(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                const QList<QVariantList> &rows, QString *error)
{
    QSqlQuery query(db);
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(u',');
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quotedName(table), names(columns), marks)))
        return queryFailed(query, error);
    for (const QVariantList &row : rows) {
        for (const QVariant &value : row)
            query.addBindValue(value);
        if (!query.exec())
            return queryFailed(query, error);
    }
    return true;
}

} // namespace

namespace TableLoad {

// The schema is made in a database of memory alone, which only SQLite has.
QList<TableColumn> columnsOf(const QStringList &schema, const QString &table)
{
    QList<TableColumn> columns;
    Connection scratch(SqliteEngine::file(QStringLiteral(":memory:")), Engine::Access::Create);
    QString error;
    if (!scratch.open(&error))
        return columns;
    QSqlQuery query(scratch.database());
    for (const QString &statement : schema)
        query.exec(statement);
    scratch.engine().columns(scratch.database(), table, &columns, &error);
    return columns;
}

bool write(const Database &database, const QStringList &schema, const QString &table,
           const QStringList &columns, const QList<QVariantList> &rows, const QString &key,
           qint64 lastKey, QString *error)
{
    const auto fill = [&](const QSqlDatabase &db, QString *error) {
        return insertRows(db, table, columns, rows, error) &&
               (key.isEmpty() || database.engine->continueKeys(db, table, key, lastKey, error));
    };
    return Schema::create(database, schema, error, fill);
}

bool readBack(const Database &database, const QString &table, const QStringList &columns,
              const std::function<bool(const QVariantList &row)> &row, QString *error)
{
    Connection connection(database, Engine::Access::ReadOnly);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(names(columns), quotedName(table), database.engine->rowId())))
        return queryFailed(query, error);
    QVariantList values(columns.size());
    while (query.next()) {
        for (qsizetype c = 0; c < columns.size(); ++c)
            values[c] = query.value(int(c));
        if (!row(values))
            return true;
    }
    return !query.lastError().isValid() || queryFailed(query, error);
}

std::optional<qint64> nextKey(const Database &database, const QString &table)
{
    Connection connection(database, Engine::Access::ReadOnly);
    QString error;
    if (!connection.open(&error))
        return std::nullopt;
    return database.engine->nextKey(connection.database(), table);
}

} // namespace TableLoad
