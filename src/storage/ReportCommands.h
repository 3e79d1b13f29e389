#pragma once

#include <QString>

// The reports' queries. Dates are passed as stored
// (yyyy-MM-dd), the Active pair as -1 (yes) and 0 (no); both date bounds
// are inclusive.
namespace ReportCommands {

// Parameters: first start date, last start date, first Active value, second Active value.
inline const QString customers = QStringLiteral(
    "SELECT Customers.* FROM Customers WHERE (DateStarted >= ?)  AND (DateStarted <= ?)  AND "
    "(Active = ? OR Active = ?) ORDER BY Name ASC");
// Parameters: first date, last date.
inline const QString expense = QStringLiteral(
    "SELECT Expense.* FROM Expense WHERE (ExpenseDate >= ?) AND (ExpenseDate <= ?) ORDER BY "
    "ExpenseDate");
inline const QString income = QStringLiteral(
    "SELECT Income.* FROM Income WHERE (IncomeDate >= ?) AND (IncomeDate <= ?) ORDER BY IncomeDate");

} // namespace ReportCommands
