#include "DataEnvironment.h"
#include "DataFiles.h"
#include "LedgerDesk.h"
#include "MoveToServer.h"
#include "PlannedFaults.h"
#include "PostgresServer.h"
#include "ServerBooks.h"
#include "ReportCommands.h"
#include "Schema.h"
#include "ServerBackup.h"
#include "TableScan.h"
#include "TempDataFolder.h"

#include <QProcess>
#include <QTest>
#include <memory>

namespace {

const QDate today(2031, 2, 3);

} // namespace

// Books moved onto a server, and desks stepping on them at once or killed
// in the middle of a step: the stored balance is always the opening balance
// and the stored incomes less the stored expenses; no step is lost, none
// deadlocks.
class tst_BooksOnServer : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;

    // Books of no entries and a balance of 100 on a database of their own.
    QString books()
    {
        TempDataFolder folder;
        folder.writeBytes(DataFiles::balance, "100\r\n");
        return moveOntoServer(*server, folder);
    }

private slots:
    void initTestCase() { server = std::make_unique<PostgresServer>(); }
    void cleanupTestCase() { server.reset(); }

    // Every record, the balance, the password and the remembered names reach
    // the server; customers keep their numbers, and the server numbers on
    // after the highest the folder ever gave. The folder then names the server.
    void everythingArrives()
    {
        TempDataFolder folder;
        folder.execute(DataFiles::customers, "INSERT INTO Customers (Account, Name, AmountMonthly) VALUES "
                                             "(3, 'Adams', 25.5), (7, 'baker', NULL), (9, 'Gone', 1)");
        folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account = 9");
        folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 100.25, '2024-01-02', 'D'), "
                                          "('Tips', 0.1, '2024-01-03', NULL)");
        folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-01-03', '')");
        // Enough to go in several statements, the last one short.
        folder.execute(DataFiles::expense, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                           "WHERE i < 1001) INSERT INTO Expense SELECT 'Bulk', i, '2024-02-01', NULL FROM n");
        folder.writeBytes(DataFiles::balance, "60.35\r\n");
        folder.writeBytes(DataFiles::incomeNames, "Sales\r\nTips\r\n");
        folder.writeBytes(DataFiles::password, "secret\r\n");
        const QMap<QString, QByteArray> before = folder.snapshot();
        const QString uri = server->createDatabase("moved");
        const MoveToServer::Result result = MoveToServer::run(folder.folder(), uri, today);
        QVERIFY2(result.moved, qPrintable(result.error));

        QCOMPARE(server->rows("moved", R"(SELECT "Account" || ' ' || "Name" FROM "Customers" ORDER BY "Name")"),
                 (QStringList{"3 Adams", "7 baker"}));
        QCOMPARE(server->rows("moved", R"(INSERT INTO "Customers" ("Name") VALUES ('New') RETURNING "Account")"),
                 QStringList{"10"});
        QCOMPARE(server->rows("moved", R"(SELECT "IncomeType" || ' ' || "IncomeAmount" || ' ' || "IncomeDate"
                                          FROM "Income")"),
                 (QStringList{"Sales 100.25 2024-01-02", "Tips 0.1 2024-01-03"}));
        QCOMPARE(server->rows("moved", R"(SELECT count(*) || ' ' || sum("ExpenseAmount") FROM "Expense")"),
                 QStringList{"1002 501541"});
        QCOMPARE(server->rows("moved", R"(SELECT "Amount" FROM "Balance")"), QStringList{"60.35"});
        QCOMPARE(server->rows("moved", R"(SELECT "Content" = E'secret\r\n' FROM "Password")"), QStringList{"t"});
        QCOMPARE(server->rows("moved", R"(SELECT "Ledger", "Names" = CASE "Ledger" WHEN 'Income'
                                          THEN E'Sales\r\nTips\r\n' ELSE E'\r\n' END FROM "RememberedNames" ORDER BY 1)"),
                 (QStringList{"Expense|t", "Income|t"}));

        // The reports and the export read the server as they read files.
        const DataFolder onServer = folder.folder().onServer(uri);
        QString error;
        QStringList columns;
        QVERIFY(TableScan::read(onServer.database(DataFiles::customers), "Customers",
                                [&](const QStringList &names, qint64) { columns = names; }, [](QList<QVariant> &) {},
                                &error));
        QCOMPARE(columns.mid(0, 2), (QStringList{"Account", "Name"}));
        QVERIFY(!columns.contains("RowId"));
        ReportRows rows;
        const auto query = DataEnvironment(onServer.database(DataFiles::income))
                               .start(ReportCommands::income, {"2024-01-01", "2024-01-02"});
        QVERIFY2(query->waitForCount(&rows, &error) && query->waitForRows(1, &rows, &error), qPrintable(error));
        QCOMPARE(rows.total, 1);
        QCOMPARE(rows.cells.value(0, rows.columns.indexOf("IncomeType")).toString(), "Sales");

        // A backup of the server is a data folder as the program writes one.
        const TempDataFolder back(false);
        QVERIFY2(ServerBackup::writeSnapshot(onServer, back.folder(), &error), qPrintable(error));
        QCOMPARE(back.value(DataFiles::customers, "SELECT group_concat(Account || ' ' || Name) FROM Customers"),
                 "3 Adams,7 baker,10 New");
        QCOMPARE(back.value(DataFiles::customers, "SELECT seq FROM sqlite_sequence"), 10);
        QCOMPARE(back.value(DataFiles::income, "SELECT total(IncomeAmount) FROM Income"), 100.35);
        QCOMPARE(back.bytes(DataFiles::balance), "60.35\r\n");
        QCOMPARE(back.bytes(DataFiles::incomeNames), "Sales\r\nTips\r\n");
        for (const auto &[file, table] : DataFiles::databases())
            QVERIFY2(Schema::checkBackedUp(back.folder().database(file), table, &error), qPrintable(error));

        QCOMPARE(folder.bytes(DataFiles::server), uri.toUtf8() + "\r\n");
        QCOMPARE(result.kept, folder.filePath("Moved to server 2031-02-03"));
        for (const QString &name : DataFiles::all()) {
            QVERIFY2(!QFile::exists(folder.filePath(name)), qPrintable(name));
            QCOMPARE(folder.bytes("Moved to server 2031-02-03/" + name), before.value(name));
        }
    }

    void refusedWithNothingChanged_data()
    {
        QTest::addColumn<QString>("uri"); // %1: the server's own address of the database
        QTest::addColumn<QString>("told");
        QTest::newRow("a password in the address")
            << "%1&password=secret" << "may not hold a password";
        QTest::newRow("books there already") << "%1" << "already holds books";
        QTest::newRow("no such database") << "postgresql:///none?host=/nowhere" << "could not be opened";
    }
    void refusedWithNothingChanged()
    {
        QFETCH(QString, uri);
        QFETCH(QString, told);
        static const QString held = [this] {
            const QString uri = server->createDatabase("held");
            TempDataFolder first;
            MoveToServer::run(first.folder(), uri, today);
            return uri;
        }();
        TempDataFolder folder;
        const QMap<QString, QByteArray> before = folder.snapshot();
        const MoveToServer::Result result = MoveToServer::run(folder.folder(), uri.replace("%1", held), today);
        QVERIFY(!result.moved);
        QVERIFY2(result.error.contains(told), qPrintable(result.error));
        QCOMPARE(folder.snapshot(), before);
    }

    void stoppedByACrash_data()
    {
        QTest::addColumn<int>("when"); // the load's commit, before or after which the move ended
        QTest::newRow("before the commit") << int(PlannedFaults::When::Before);
        QTest::newRow("after the commit") << int(PlannedFaults::When::After);
    }

    // The next start finishes a move the server took, and forgets one it did not.
    void stoppedByACrash()
    {
        QFETCH(int, when);
        const QString uri = server->createDatabase(QString("crashed%1").arg(when));
        TempDataFolder folder;
        const QMap<QString, QByteArray> before = folder.snapshot();
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(),
                                   {"--crashed-move", folder.path(), uri, QString::number(when)}),
                 PlannedFaults::exitCode);
        bool finished = false;
        const MoveToServer::Result result = MoveToServer::finishUnfinished(folder.folder(), today, &finished);
        QVERIFY2(result.moved, qPrintable(result.error));
        const bool committed = when == int(PlannedFaults::When::After);
        QCOMPARE(finished, committed);
        QCOMPARE(QFile::exists(folder.filePath(DataFiles::server)), committed);
        QVERIFY(!QFile::exists(folder.filePath(MoveToServer::unfinishedFile)));
        if (!committed)
            QCOMPARE(folder.snapshot(), before);
    }

    void stepsAtOnceKeepTheBalance_data()
    {
        QTest::addColumn<int>("crashAt"); // the commit, before or after which the first desk ends; 0: none
        for (int crashAt : {0, 1, 4, 9})
            QTest::addRow("crash at commit %d", crashAt) << crashAt;
    }
    // Two desks at once; a desk that ends in the middle of a step leaves no
    // half of it: the balance the books keep is always what their rows say.
    void stepsAtOnceKeepTheBalance()
    {
        QFETCH(int, crashAt);
        const QString uri = books();
        const auto first = LedgerDesk::start(uri, crashAt + 1, 150, crashAt), second = LedgerDesk::start(uri, 200, 150);
        qint64 entries = 0;
        for (QProcess *desk : {first.get(), second.get()}) {
            QVERIFY(desk->waitForFinished(60000));
            QCOMPARE(desk->exitCode(), crashAt && desk == first.get() ? PlannedFaults::exitCode : 0);
            const QList<QByteArray> stored = desk->readAllStandardOutput().split(' ');
            entries += stored.value(0).toLongLong() - stored.value(1).toLongLong();
        }
        const LedgerDesk::Books books = LedgerDesk::read(uri, 100);
        QCOMPARE(books.balance, books.fromRows);
        QVERIFY(books.entries > 0);
        if (!crashAt)
            QCOMPARE(books.entries, entries);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == LedgerDesk::argument)
        return LedgerDesk::run(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--crashed-move") {
        PlannedFaults faults;
        faults.endProcessAt(Faults::Step::Commit, 1, PlannedFaults::When(std::stoi(argv[4])));
        MoveToServer::run(DataFolder(argv[2], faults), argv[3], today);
        return 1;
    }
    tst_BooksOnServer test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_BooksOnServer.moc"
