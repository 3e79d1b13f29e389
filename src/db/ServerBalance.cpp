#include "ServerBalance.h"

#include "Connection.h"
#include "SqlText.h"

#include <QSqlQuery>

namespace ServerBalance {

bool move(const QSqlDatabase &db, double delta, double *stored, QString *error)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        R"(UPDATE "Balance" SET "Amount" = round(("Amount" + ?)::numeric, 2)::double precision RETURNING "Amount")"));
    query.addBindValue(delta);
    if (!query.exec() || !query.next())
        return queryFailed(query, error);
    *stored = query.value(0).toDouble();
    return true;
}

bool set(const Database &server, double balance, QString *error)
{
    Connection connection(server);
    if (!connection.open(error))
        return false;
    const auto store = [&](QString *error) {
        QSqlQuery query(connection.database());
        query.prepare(QStringLiteral(R"(UPDATE "Balance" SET "Amount" = ?)"));
        query.addBindValue(balance);
        return (query.exec() || queryFailed(query, error)) &&
               server.engine->announce(connection.database(), QStringLiteral("Balance"), std::nullopt, error);
    };
    return connection.inTransaction(store, error);
}

} // namespace ServerBalance
