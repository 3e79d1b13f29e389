#include "Schema.h"

#include "Connection.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <utility>

namespace {

// Each table's columns, in the table's order, with their declarations.
QList<std::pair<QString, QString>> columnsOf(const QString &table)
{
    if (table == QLatin1String("Customers")) {
        // Account is AUTOINCREMENT so that the number of a deleted customer is
        // never given to another. NOCASE: customers are listed by name as a
        // person reads the list, "adams" beside "Adams".
        const QString text = QStringLiteral("TEXT");
        return {{QStringLiteral("Account"), QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")},
                {QStringLiteral("Name"), QStringLiteral("TEXT COLLATE NOCASE")},
                {QStringLiteral("Address"), text},      {QStringLiteral("City"), text},
                {QStringLiteral("State"), text},        {QStringLiteral("Zip"), text},
                {QStringLiteral("Home"), text},         {QStringLiteral("Cell"), text},
                {QStringLiteral("HisWork"), text},      {QStringLiteral("HerWork"), text},
                {QStringLiteral("DateStarted"), text},  {QStringLiteral("Schedule"), text},
                {QStringLiteral("AmountPerVisit"), QStringLiteral("REAL")},
                {QStringLiteral("AmountMonthly"), QStringLiteral("REAL")},
                {QStringLiteral("Active"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
                {QStringLiteral("Comments"), text}};
    }
    // Income and Expense share one layout under their own names.
    return {{table + QStringLiteral("Type"), QStringLiteral("TEXT")},
            {table + QStringLiteral("Amount"), QStringLiteral("REAL")},
            {table + QStringLiteral("Date"), QStringLiteral("TEXT")},
            {table + QStringLiteral("Invoice"), QStringLiteral("TEXT")}};
}

QString createTable(const QString &table)
{
    QStringList columns;
    for (const auto &[name, declaration] : columnsOf(table))
        columns << name + u' ' + declaration;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QLatin1String(", ")));
}

} // namespace

namespace Schema {

QStringList customers()
{
    return {createTable(QStringLiteral("Customers")),
            QStringLiteral("CREATE INDEX CustomersByName ON Customers (Name)"),
            QStringLiteral("CREATE INDEX CustomersByDateStarted ON Customers (DateStarted)")};
}

QStringList income()
{
    return {createTable(QStringLiteral("Income")),
            QStringLiteral("CREATE INDEX IncomeByDate ON Income (IncomeDate)")};
}

QStringList expense()
{
    return {createTable(QStringLiteral("Expense")),
            QStringLiteral("CREATE INDEX ExpenseByDate ON Expense (ExpenseDate)")};
}

bool check(const QString &path, const QString &table, QString *error)
{
    Connection connection(path);
    if (!connection.open(error))
        return false;
    QSqlQuery info(connection.database());
    if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) {
        *error = QStringLiteral("%1 could not be read: %2")
                     .arg(connection.dataSource(), info.lastError().text());
        return false;
    }
    QStringList present;
    while (info.next())
        present << info.value(1).toString();
    for (const auto &column : columnsOf(table)) {
        if (!present.contains(column.first, Qt::CaseInsensitive)) {
            *error = QStringLiteral("%1 has no table %2 with the column %3, which the program "
                                    "uses. Put back a copy of the file that has it, for example "
                                    "the backup copy taken at the last exit.")
                         .arg(connection.dataSource(), table, column.first);
            return false;
        }
    }
    return true;
}

bool create(const QString &path, const QStringList &statements, QString *error)
{
    const QString name = QStringLiteral("bramblewood-create-") + path;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (!ok)
                break;
            ok = query.exec(statement);
        }
        ok = ok && db.commit();
        if (!ok) {
            *error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
            db.rollback();
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool isEmpty(const QString &path, const QString &table)
{
    const QString name = QStringLiteral("bramblewood-check-") + path;
    bool empty = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            empty = query.exec(QStringLiteral("SELECT 1 FROM \"%1\" LIMIT 1").arg(table)) &&
                    !query.next();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return empty;
}

} // namespace Schema
