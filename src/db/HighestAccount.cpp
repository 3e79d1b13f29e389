#include "HighestAccount.h"

#include "Connection.h"

#include <QSqlError>
#include <QSqlQuery>

HighestAccount HighestAccount::read(const Database &customers)
{
    HighestAccount result;
    Connection connection(customers);
    if (!connection.open(&result.error))
        return result;
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(R"(select "Account" from "Customers" Order by "Account")"))) {
        result.error = query.lastError().text();
        return result;
    }
    while (query.next())
        result.account = query.value(0).toLongLong();
    result.ok = !query.lastError().isValid();
    if (!result.ok)
        result.error = query.lastError().text();
    return result;
}
