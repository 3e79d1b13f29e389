#include "LedgerTotals.h"

#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "NumberText.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

std::optional<double> total(const DataFolder &folder, const QString &file, const QString &table,
                            QString *error)
{
    Connection connection(folder.filePath(file));
    if (!connection.open(error))
        return std::nullopt;
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT total(%1Amount) FROM %1").arg(table)) || !query.next()) {
        *error = QStringLiteral("%1 could not be read: %2").arg(file, query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toDouble();
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
