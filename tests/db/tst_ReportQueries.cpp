#include "DataEnvironment.h"
#include "DataFiles.h"
#include "ReportCommands.h"
#include "TempDataFolder.h"

#include <QTest>

Q_DECLARE_METATYPE(ReportCommand)

class tst_ReportQueries : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<ReportCommand>("command");
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
        QFETCH(ReportCommand, command);
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
        DataEnvironment environment(folder.folder().database(database));
        QString error;
        ReportRows rows{{"Stale"}, RowBlock(1), 1}; // to be replaced, not added to
        rows.cells.appendValue("stale");
        QVERIFY(environment.open(&error));
        const auto query = environment.start(command, parameters);
        QVERIFY2(query->waitForCount(&rows, &error), qPrintable(error));
        QCOMPARE(rows.count(), values.size());
        QVERIFY2(query->waitForRows(rows.count(), &rows, &error), qPrintable(error));
        QVERIFY(rows.complete());
        // Every column is read.
        QCOMPARE(rows.columns.size(), database == DataFiles::customers ? 16 : 4);
        const qsizetype index = rows.columns.indexOf(column);
        QStringList read;
        for (qsizetype row = 0; row < rows.count(); ++row)
            read << rows.value(row, index).toString();
        QCOMPARE(read, values);
    }

    // The rows come in parts; taken as far as asked, then to the end, they are
    // every customer in name order, each cell as stored.
    void rowsComeInParts_data()
    {
        QTest::addColumn<int>("customers");
        QTest::addColumn<int>("firstAsked");
        for (const auto &[customers, firstAsked] :
             {std::pair(0, 1), {999, 35}, {1000, 1000}, {2501, 1001}, {2501, 5000}})
            QTest::addRow("%d, first %d", customers, firstAsked) << customers << firstAsked;
    }

    void rowsComeInParts()
    {
        QFETCH(int, customers);
        QFETCH(int, firstAsked);
        TempDataFolder folder;
        fillCustomers(folder, customers);
        const auto query = DataEnvironment(folder.folder().database(DataFiles::customers))
                               .start(ReportCommands::customers, allCustomers);
        ReportRows rows;
        QString error;
        QVERIFY(query->waitForCount(&rows, &error));
        QCOMPARE(rows.count(), customers);
        QVERIFY(query->waitForRows(firstAsked, &rows, &error));
        QVERIFY(rows.cells.rows() >= std::min(firstAsked, customers));
        QVERIFY(query->waitForRows(customers, &rows, &error));
        QVERIFY(rows.complete());
        const QList<QVariantList> expected = folder.rows(
            DataFiles::customers, "SELECT Name, Comments, AmountMonthly FROM Customers ORDER BY Name, Account");
        for (int row = 0; row < customers; ++row)
            QCOMPARE((QVariantList{rows.value(row, 1), rows.value(row, 15), rows.value(row, 13)}),
                     expected[row]);
    }

    // A save while a report is still being read waits for the reading, not
    // for the user; the report keeps the rows of its click.
    void aSaveDuringTheReadingIsNotRefused()
    {
        TempDataFolder folder;
        fillCustomers(folder, 20000);
        auto query = DataEnvironment(folder.folder().database(DataFiles::customers))
                         .start(ReportCommands::customers, allCustomers);
        ReportRows rows;
        QString error;
        QVERIFY(query->waitForCount(&rows, &error) && query->waitForRows(1, &rows, &error));
        folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account > 10");
        QVERIFY(query->waitForRows(20000, &rows, &error));
        QCOMPARE(rows.cells.rows(), 20000);
        QCOMPARE(folder.storedCount("Customers"), 10);
        // Ended half-read, a query lets the next one read at once.
        query = DataEnvironment(folder.folder().database(DataFiles::customers))
                    .start(ReportCommands::customers, allCustomers);
        query.reset();
        folder.execute(DataFiles::customers, "DELETE FROM Customers");
    }

    void unreadableDatabaseIsTold()
    {
        TempDataFolder folder;
        folder.writeBytes(DataFiles::customers, QByteArray(4096, 'x'));
        const auto query = DataEnvironment(folder.folder().database(DataFiles::customers))
                               .start(ReportCommands::customers, allCustomers);
        ReportRows rows;
        QString error;
        QVERIFY(!query->waitForCount(&rows, &error));
        QVERIFY(!query->waitForRows(1, &rows, &error));
        QCOMPARE(error, QStringLiteral("file is not a database"));
    }

private:
    const QVariantList allCustomers{"1900-01-01", "2100-01-01", 0, -1};

    // Names out of order, text of both kinds; the comments of each row differ
    // in length, so that a part's text placed wrongly shows.
    static void fillCustomers(const TempDataFolder &folder, int count)
    {
        folder.execute(DataFiles::customers,
                       QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                      "WHERE i < %1) INSERT INTO Customers (Name, DateStarted, Active, "
                                      "AmountMonthly, Comments) SELECT printf('Name %05d', (i * 7919) "
                                      "% %1), '2004-01-01', -(i % 2), i / 4.0, CASE WHEN i % 3 = 0 "
                                      "THEN 'Ünïcode ' || i ELSE substr('abcdefghij', 1, i % 11) END "
                                      "FROM n WHERE i <= %1")
                           .arg(count));
    }
};

QTEST_GUILESS_MAIN(tst_ReportQueries)
#include "tst_ReportQueries.moc"
