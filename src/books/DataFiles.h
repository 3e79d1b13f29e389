#pragma once

#include <QString>
#include <QStringList>

// The seven files that make up a data folder, under the names the
// backups, the compaction and the zip backup rely on.
namespace DataFiles {

inline const QString customers = QStringLiteral("Customers.mdb");
inline const QString income = QStringLiteral("Income.mdb");
inline const QString expense = QStringLiteral("Expense.mdb");
inline const QString password = QStringLiteral("pw.kvd");
inline const QString balance = QStringLiteral("balance.kvd");
inline const QString incomeNames = QStringLiteral("income.kvd");
inline const QString expenseNames = QStringLiteral("expense.kvd");
// The address of the server that keeps the folder's books, once they were
// moved there: the folder then holds none of the seven files.
inline const QString server = QStringLiteral("server.kvd");
// Marks the folder as in use by one copy of the program.
inline const QString lock = QStringLiteral("Bramblewood.lock");

// The one table each database holds, in the order the exit handles them.
struct Database {
    QString file, table;
};

inline QList<Database> databases()
{
    return {{customers, QStringLiteral("Customers")},
            {expense, QStringLiteral("Expense")},
            {income, QStringLiteral("Income")}};
}

// The small files beside the databases that a folder can do without: new
// ones are written where they are missing.
inline QStringList sideFiles()
{
    return {balance, incomeNames, expenseNames};
}

inline QStringList all()
{
    return {customers, income, expense, password, balance, incomeNames, expenseNames};
}

// What a backup holds, in the order the archive lists them: all but the
// password, which does not travel on removable media.
inline QStringList backedUp()
{
    return {customers, expense, expenseNames, income, incomeNames, balance};
}

} // namespace DataFiles
