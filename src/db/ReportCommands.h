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
// in the table one by one. Names are quoted, so that an engine that folds
// unquoted names to lower case finds the tables as they are named.
inline const ReportCommand customers{
    QStringLiteral(R"(SELECT "Customers".* FROM "Customers" WHERE (+"DateStarted" >= ?)  AND )"
                   R"((+"DateStarted" <= ?)  AND ("Active" = ? OR "Active" = ?) ORDER BY "Name" ASC)"),
    QStringLiteral(R"(SELECT count(*) FROM "Customers" WHERE (+"DateStarted" >= ?)  AND )"
                   R"((+"DateStarted" <= ?)  AND ("Active" = ? OR "Active" = ?))")};
// Parameters: first date, last date.
inline const ReportCommand expense{
    QStringLiteral(R"(SELECT "Expense".* FROM "Expense" WHERE ("ExpenseDate" >= ?) AND ("ExpenseDate" <= ?) )"
                   R"(ORDER BY "ExpenseDate")"),
    QStringLiteral(R"(SELECT count(*) FROM "Expense" WHERE ("ExpenseDate" >= ?) AND ("ExpenseDate" <= ?))")};
inline const ReportCommand income{
    QStringLiteral(R"(SELECT "Income".* FROM "Income" WHERE ("IncomeDate" >= ?) AND ("IncomeDate" <= ?) )"
                   R"(ORDER BY "IncomeDate")"),
    QStringLiteral(R"(SELECT count(*) FROM "Income" WHERE ("IncomeDate" >= ?) AND ("IncomeDate" <= ?))")};

} // namespace ReportCommands
