#pragma once

#include <QString>

// A report's query, and the count of the rows it returns, with the same
// parameters, so that the pages can be numbered before the rows are read.
struct ReportCommand {
    QString rows;
    QString count;
};

// The reports' queries. Dates are passed as stored (yyyy-MM-dd), the Active
// pair as -1 (yes) and 0 (no); both date bounds are inclusive.
namespace ReportCommands {

// Parameters: first start date, last start date, first Active value, second
// Active value. The customers come through the index on Name, so that the
// first ones arrive at once instead of after a sort of them all, and are
// counted by reading the table straight through: the "+" keeps SQLite from
// choosing the index on DateStarted, which would look up every row it finds
// in the table one by one.
inline const ReportCommand customers{
    QStringLiteral("SELECT Customers.* FROM Customers WHERE (+DateStarted >= ?)  AND "
                   "(+DateStarted <= ?)  AND (Active = ? OR Active = ?) ORDER BY Name ASC"),
    QStringLiteral("SELECT count(*) FROM Customers WHERE (+DateStarted >= ?)  AND "
                   "(+DateStarted <= ?)  AND (Active = ? OR Active = ?)")};
// Parameters: first date, last date.
inline const ReportCommand expense{
    QStringLiteral("SELECT Expense.* FROM Expense WHERE (ExpenseDate >= ?) AND (ExpenseDate <= ?) "
                   "ORDER BY ExpenseDate"),
    QStringLiteral("SELECT count(*) FROM Expense WHERE (ExpenseDate >= ?) AND (ExpenseDate <= ?)")};
inline const ReportCommand income{
    QStringLiteral("SELECT Income.* FROM Income WHERE (IncomeDate >= ?) AND (IncomeDate <= ?) "
                   "ORDER BY IncomeDate"),
    QStringLiteral("SELECT count(*) FROM Income WHERE (IncomeDate >= ?) AND (IncomeDate <= ?)")};

} // namespace ReportCommands
