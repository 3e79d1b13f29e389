#pragma once

#include <QString>
#include <optional>

class DataFolder;

// The stored incomes less the stored expenses, rounded as the balance is:
// where a folder has no balance of its own, the one its ledgers say.
namespace LedgerTotals {

std::optional<double> incomesLessExpenses(const DataFolder &folder, QString *error);

} // namespace LedgerTotals
