#include "BalanceNotes.h"

#include "Connection.h"
#include "SqlText.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

const QString table = QStringLiteral("BalanceNote");

bool hasTable(const Connection &connection, bool *has, QString *error)
{
    QList<SchemaObject> objects;
    if (!connection.engine().objects(connection.database(), &objects, error))
        return false;
    *has = std::any_of(objects.cbegin(), objects.cend(),
                       [](const SchemaObject &object) { return object.name == table; });
    return true;
}

} // namespace

namespace BalanceNotes {

bool write(const QSqlDatabase &db, const QString &balance, qint64 noted, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Balance TEXT NOT NULL, Noted INTEGER NOT NULL)")
                        .arg(table)) ||
        !query.exec(QStringLiteral("DELETE FROM %1").arg(table)))
        return queryFailed(query, error);
    query.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(table));
    query.addBindValue(balance);
    query.addBindValue(noted);
    return query.exec() || queryFailed(query, error);
}

bool read(const Database &ledger, std::optional<Note> *note, QString *error)
{
    Connection connection(ledger);
    bool has = false;
    if (!connection.open(error) || !hasTable(connection, &has, error))
        return false;
    if (!has)
        return true;
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT Balance, Noted FROM %1").arg(table)))
        return queryFailed(query, error);
    while (query.next())
        if (!*note || query.value(1).toLongLong() > (*note)->noted)
            *note = Note{query.value(0).toString(), query.value(1).toLongLong()};
    return true;
}

bool clear(const Database &ledger, QString *error)
{
    Connection connection(ledger);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    return query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table)) || queryFailed(query, error);
}

} // namespace BalanceNotes
