#include "DataEnvironment.h"
#include "DataFiles.h"
#include "ReportCommands.h"
#include "TempDataFolder.h"
#include <QTest>

class tst_ReportQueries : public QObject
{
    Q_OBJECT
private slots:
    void customersByActivePairAndStartDates_data();
    void customersByActivePairAndStartDates();
    void ledgerByDateWithBothBoundsInclusive();
};

namespace {

QStringList column(const ReportRows &rows, const QString &name)
{
    QStringList values;
    const qsizetype index = rows.columns.indexOf(name);
    for (const auto &row : rows.rows)
        values << row.at(index).toString();
    return values;
}

} // namespace

void tst_ReportQueries::customersByActivePairAndStartDates_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QStringList>("names");
    // The range is 2004-01-01 to 2004-12-31: On and Off stand on its bounds.
    QTest::newRow("active") << -1 << -1 << QStringList{"Inside", "On First", "On Last"};
    QTest::newRow("inactive") << 0 << 0 << QStringList{"Idle"};
    QTest::newRow("all") << 0 << -1 << QStringList{"Idle", "Inside", "On First", "On Last"};
}

void tst_ReportQueries::customersByActivePairAndStartDates()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QStringList, names);
    TempDataFolder folder;
    folder.execute(DataFiles::customers,
                   "INSERT INTO Customers (Name, DateStarted, Active) VALUES "
                   "('On Last', '2004-12-31', -1), ('Inside', '2004-06-15', -1), "
                   "('On First', '2004-01-01', -1), ('Before', '2003-12-31', -1), "
                   "('After', '2005-01-01', -1), ('Idle', '2004-03-03', 0), ('No Date', NULL, -1)");
    DataEnvironment environment(folder.filePath(DataFiles::customers));
    QString error;
    ReportRows rows;
    QVERIFY(environment.open(&error));
    QVERIFY2(environment.run(ReportCommands::customers, {"2004-01-01", "2004-12-31", first, second},
                             &rows, &error),
             qPrintable(error));
    QCOMPARE(column(rows, "Name"), names);
    QCOMPARE(rows.columns.size(), 16);
}

void tst_ReportQueries::ledgerByDateWithBothBoundsInclusive()
{
    TempDataFolder folder;
    folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('C', 3, '2024-03-01', ''), "
                                      "('A', 1, '2024-01-01', ''), ('Z', 9, '2023-12-31', ''), "
                                      "('B', 2, '2024-02-29', ''), ('Y', 8, '2024-03-02', '')");
    folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Late', 5, '2024-02-01', ''), "
                                       "('Early', 4, '2024-01-31', '')");
    ReportRows rows;
    QString error;
    DataEnvironment income(folder.filePath(DataFiles::income));
    QVERIFY(income.open(&error));
    QVERIFY(income.run(ReportCommands::income, {"2024-01-01", "2024-03-01"}, &rows, &error));
    QCOMPARE(column(rows, "IncomeType"), (QStringList{"A", "B", "C"}));
    DataEnvironment expense(folder.filePath(DataFiles::expense));
    QVERIFY(expense.open(&error));
    QVERIFY(expense.run(ReportCommands::expense, {"2024-01-01", "2024-12-31"}, &rows, &error));
    QCOMPARE(column(rows, "ExpenseType"), (QStringList{"Early", "Late"}));
    QVERIFY(expense.run(ReportCommands::expense, {"2025-01-01", "2024-01-01"}, &rows, &error));
    QVERIFY(rows.rows.isEmpty()); // a start after the end selects nothing
}

QTEST_GUILESS_MAIN(tst_ReportQueries)
#include "tst_ReportQueries.moc"
