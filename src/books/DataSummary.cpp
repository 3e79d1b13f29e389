#include "DataSummary.h"

#include "Balance.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "NumberText.h"
#include "Schema.h"
#include "SideBySide.h"
#include "SideFile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// Reads one database without ever writing it: a damaged file stays as it is.
class ReadOnlyDatabase
{
public:
    explicit ReadOnlyDatabase(const QString &path)
        : m_name(QStringLiteral("bramblewood-summary-") + QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~ReadOnlyDatabase()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }

    // The first column of the query's first row.
    bool value(const QString &query, QVariant *result, QString *error) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(query) || !q.next()) {
            *error = q.lastError().isValid() ? q.lastError().text()
                                             : QSqlDatabase::database(m_name, false).lastError().text();
            return false;
        }
        *result = q.value(0);
        return true;
    }

private:
    QString m_name;
};

struct Table {
    QString file, table, dateColumn;
    qint64 *rows;
    QDate *newest;
};

bool readTable(const DataFolder &folder, const Table &t, QString *error)
{
    const QString path = folder.filePath(t.file);
    const ReadOnlyDatabase db(path);
    QVariant result;
    const auto fail = [&](const QString &what) {
        *error = QStringLiteral("%1 %2: %3").arg(t.file, what, *error);
        return false;
    };
    if (!db.value(QStringLiteral("PRAGMA quick_check"), &result, error))
        return fail(QStringLiteral("could not be checked"));
    if (result.toString() != QLatin1String("ok")) {
        *error = result.toString();
        return fail(QStringLiteral("failed SQLite's quick check"));
    }
    if (!Schema::check(path, t.table, error))
        return false;
    if (!db.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t.table), &result, error))
        return fail(QStringLiteral("could not be read"));
    *t.rows = result.toLongLong();
    if (t.newest) {
        if (!db.value(QStringLiteral("SELECT max(%1) FROM \"%2\"").arg(t.dateColumn, t.table),
                      &result, error))
            return fail(QStringLiteral("could not be read"));
        *t.newest = DateText::fromStored(result.toString());
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
