#include "DataSummary.h"

#include "Balance.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "NumberText.h"
#include "Schema.h"
#include "SideBySide.h"
#include "SideFile.h"
#include "TableFigures.h"

namespace {

struct Table {
    QString file, table, dateColumn;
    qint64 *rows;
    QDate *newest;
};

bool readTable(const DataFolder &folder, const Table &t, QString *error)
{
    const Database database = folder.database(t.file);
    TableFigures figures(database);
    const auto fail = [&](const QString &what) {
        *error = QStringLiteral("%1 %2: %3").arg(t.file, what, *error);
        return false;
    };
    QString damage;
    if (!figures.open(error) || !figures.check(&damage, error))
        return fail(QStringLiteral("could not be checked"));
    if (!damage.isEmpty()) {
        *error = damage;
        return fail(QStringLiteral("failed ") + database.engine->checkName());
    }
    if (!Schema::check(database, t.table, error))
        return false;
    if (!figures.count(t.table, t.rows, error))
        return fail(QStringLiteral("could not be read"));
    QVariant newest;
    if (t.newest) {
        if (!figures.largest(t.table, t.dateColumn, &newest, error))
            return fail(QStringLiteral("could not be read"));
        *t.newest = DateText::fromStored(newest.toString());
    }
    return true;
}

QString dateOrNone(const QDate &date)
{
    return date.isValid() ? DateText::toShort(date) : QStringLiteral("none");
}

} // namespace

bool DataSummary::read(const DataFolder &folder, DataSummary *summary, QString *error)
{
    const Table tables[] = {
        {DataFiles::customers, QStringLiteral("Customers"), {}, &summary->customers, nullptr},
        {DataFiles::income, QStringLiteral("Income"), QStringLiteral("IncomeDate"),
         &summary->incomes, &summary->newestIncome},
        {DataFiles::expense, QStringLiteral("Expense"), QStringLiteral("ExpenseDate"),
         &summary->expenses, &summary->newestExpense}};
    // The databases are checked side by side, each with a connection of its
    // own: the checks read every page of them.
    std::vector<SideBySideJob> checks;
    for (const Table &table : tables)
        checks.push_back([&folder, &table](QString *error) { return readTable(folder, table, error); });
    if (!runSideBySide(checks, error))
        return false;
    const auto content = SideFile::read(folder.filePath(DataFiles::balance), error);
    const auto balance = content ? Balance::fromFile(*content) : std::nullopt;
    if (!balance) {
        if (content)
            *error = QStringLiteral("it holds no number");
        *error = QStringLiteral("%1 could not be read: %2").arg(DataFiles::balance, *error);
        return false;
    }
    summary->balance = NumberText::twoDecimals(*balance);
    return true;
}

QStringList DataSummary::labels()
{
    return {QStringLiteral("Customers"),     QStringLiteral("Incomes"),
            QStringLiteral("Expenses"),      QStringLiteral("Newest income"),
            QStringLiteral("Newest expense"), QStringLiteral("Balance")};
}

QStringList DataSummary::values() const
{
    return {QString::number(customers), QString::number(incomes), QString::number(expenses),
            dateOrNone(newestIncome),  dateOrNone(newestExpense), balance};
}
