#include "ServerSideValues.h"

#include "Connection.h"
#include "SqlText.h"

#include <QSqlQuery>

namespace {

// The first column of each row the statement gives, its values bound in order.
bool run(Connection &connection, const QString &statement, const QVariantList &values, QVariantList *read,
         QString *error)
{
    if (!connection.isOpen() && !connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return queryFailed(query, error);
    while (read && query.next())
        read->append(query.value(0));
    return true;
}

} // namespace

namespace ServerSideValues {

bool read(const Database &server, Values *values, QString *error)
{
    Connection connection(server);
    QVariantList balance, names;
    if (!run(connection, QStringLiteral(R"(SELECT "Amount" FROM "Balance")"), {}, &balance, error) ||
        !run(connection, QStringLiteral(R"(SELECT "Names" FROM "RememberedNames" ORDER BY "Ledger")"), {}, &names,
             error))
        return false;
    if (balance.size() != 1 || names.size() != 2) {
        *error = QStringLiteral("The server's database lacks the balance or the names each ledger remembers.");
        return false;
    }
    *values = {balance[0].toDouble(), names[1].toString(), names[0].toString()};
    return true;
}

bool writeNames(const Database &server, const QString &incomeNames, const QString &expenseNames, QString *error)
{
    Connection connection(server);
    return run(connection,
               QStringLiteral(R"(UPDATE "RememberedNames" SET "Names" = CASE "Ledger" WHEN 'Income' THEN ? ELSE ? END)"),
               {boundText(incomeNames), boundText(expenseNames)}, nullptr, error);
}

std::optional<QString> password(const Database &server, QString *error)
{
    Connection connection(server);
    QVariantList content;
    if (!run(connection, QStringLiteral(R"(SELECT "Content" FROM "Password")"), {}, &content, error))
        return std::nullopt;
    return content.value(0).toString();
}

bool setPassword(const Database &server, const QString &password, QString *error)
{
    Connection connection(server);
    return run(connection, QStringLiteral(R"(UPDATE "Password" SET "Content" = ?)"), {boundText(password)}, nullptr, error);
}

} // namespace ServerSideValues
