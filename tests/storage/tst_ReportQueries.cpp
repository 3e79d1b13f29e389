#include "DataEnvironment.h"
#include "DataFiles.h"
#include "ReportCommands.h"
#include "TempDataFolder.h"

#include <QTest>

class tst_ReportQueries : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QVariantList>("parameters");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("values");
        const QVariantList year{"2004-01-01", "2004-12-31"};
        // Of the customers started in 2004, On First and On Last stand on its bounds.
        QTest::newRow("active customers")
            << DataFiles::customers << ReportCommands::customers << year + QVariantList{-1, -1}
            << "Name" << QStringList{"Inside", "On First", "On Last"};
        QTest::newRow("inactive customers")
            << DataFiles::customers << ReportCommands::customers << year + QVariantList{0, 0}
            << "Name" << QStringList{"Idle"};
        QTest::newRow("all customers")
            << DataFiles::customers << ReportCommands::customers << year + QVariantList{0, -1}
            << "Name" << QStringList{"Idle", "Inside", "On First", "On Last"};
        QTest::newRow("income by date, both bounds inclusive")
            << DataFiles::income << ReportCommands::income
            << QVariantList{"2024-01-01", "2024-03-01"} << "IncomeType"
            << QStringList{"A", "B", "C"};
        QTest::newRow("expense by date") << DataFiles::expense << ReportCommands::expense
                                         << QVariantList{"2024-01-01", "2024-12-31"}
                                         << "ExpenseType" << QStringList{"Early", "Late"};
        QTest::newRow("start after the end")
            << DataFiles::expense << ReportCommands::expense
            << QVariantList{"2025-01-01", "2024-01-01"} << "ExpenseType" << QStringList{};
    }

    void run()
    {
        QFETCH(QString, database);
        QFETCH(QString, command);
        QFETCH(QVariantList, parameters);
        QFETCH(QString, column);
        QFETCH(QStringList, values);
        TempDataFolder folder;
        folder.execute(
            DataFiles::customers,
            "INSERT INTO Customers (Name, DateStarted, Active) VALUES "
            "('On Last', '2004-12-31', -1), ('Inside', '2004-06-15', -1), "
            "('On First', '2004-01-01', -1), ('Before', '2003-12-31', -1), "
            "('After', '2005-01-01', -1), ('Idle', '2004-03-03', 0), ('No Date', NULL, -1)");
        folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('C', 3, '2024-03-01', ''), "
                                          "('A', 1, '2024-01-01', ''), ('Z', 9, '2023-12-31', ''), "
                                          "('B', 2, '2024-02-29', ''), ('Y', 8, '2024-03-02', '')");
        folder.execute(DataFiles::expense,
                       "INSERT INTO Expense VALUES ('Late', 5, '2024-02-01', ''), "
                       "('Early', 4, '2024-01-31', '')");
        DataEnvironment environment(folder.filePath(database));
        QString error;
        ReportRows rows{{"Stale"}, RowBlock(1)}; // to be replaced, not added to
        rows.cells.appendValue("stale");
        QVERIFY(environment.open(&error));
        QVERIFY2(environment.run(command, parameters, &rows, &error), qPrintable(error));
        // Every column is read.
        QCOMPARE(rows.columns.size(), database == DataFiles::customers ? 16 : 4);
        const qsizetype index = rows.columns.indexOf(column);
        QStringList read;
        for (qsizetype row = 0; row < rows.count(); ++row)
            read << rows.value(row, index).toString();
        QCOMPARE(read, values);
    }
};

QTEST_GUILESS_MAIN(tst_ReportQueries)
#include "tst_ReportQueries.moc"
