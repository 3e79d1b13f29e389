#include "Schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Schema {

QStringList customers()
{
    // Account is AUTOINCREMENT so that the number of a deleted customer is
    // never given to another. NOCASE: customers are listed by name as a
    // person reads the list, "adams" beside "Adams".
    return {QStringLiteral("CREATE TABLE Customers ("
                           "Account INTEGER PRIMARY KEY AUTOINCREMENT, "
                           "Name TEXT COLLATE NOCASE, Address TEXT, City TEXT, State TEXT, "
                           "Zip TEXT, Home TEXT, Cell TEXT, HisWork TEXT, HerWork TEXT, "
                           "DateStarted TEXT, Schedule TEXT, AmountPerVisit REAL, "
                           "AmountMonthly REAL, Active INTEGER NOT NULL DEFAULT 0, Comments TEXT)"),
            QStringLiteral("CREATE INDEX CustomersByName ON Customers (Name)"),
            QStringLiteral("CREATE INDEX CustomersByDateStarted ON Customers (DateStarted)")};
}

QStringList income()
{
    return {QStringLiteral("CREATE TABLE Income (IncomeType TEXT, IncomeAmount REAL, "
                           "IncomeDate TEXT, IncomeInvoice TEXT)"),
            QStringLiteral("CREATE INDEX IncomeByDate ON Income (IncomeDate)")};
}

QStringList expense()
{
    return {QStringLiteral("CREATE TABLE Expense (ExpenseType TEXT, ExpenseAmount REAL, "
                           "ExpenseDate TEXT, ExpenseInvoice TEXT)"),
            QStringLiteral("CREATE INDEX ExpenseByDate ON Expense (ExpenseDate)")};
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
