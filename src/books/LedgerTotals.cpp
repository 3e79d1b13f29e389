#include "LedgerTotals.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "NumberText.h"
#include "TableFigures.h"

namespace {

std::optional<double> total(const DataFolder &folder, const QString &file, const QString &table,
                            QString *error)
{
    TableFigures figures(folder.database(file));
    double sum = 0;
    if (!figures.open(error))
        return std::nullopt;
    if (!figures.total(table, table + QStringLiteral("Amount"), &sum, error)) {
        *error = QStringLiteral("%1 could not be read: %2").arg(file, *error);
        return std::nullopt;
    }
    return sum;
}

} // namespace

namespace LedgerTotals {

std::optional<double> incomesLessExpenses(const DataFolder &folder, QString *error)
{
    const auto incomes = total(folder, DataFiles::income, QStringLiteral("Income"), error);
    const auto expenses = incomes ? total(folder, DataFiles::expense, QStringLiteral("Expense"), error)
                                  : std::nullopt;
    if (!expenses)
        return std::nullopt;
    return NumberText::round15(*incomes - *expenses);
}

} // namespace LedgerTotals
