#include "Connection.h"
#include "DataFiles.h"
#include "FixedClock.h"
#include "MoveToServer.h"
#include "PlannedFaults.h"
#include "PostgresEngine.h"
#include "PostgresServer.h"
#include "Recordset.h"
#include "RunningBalance.h"
#include "ServerSideValues.h"
#include "TempDataFolder.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <memory>
#include <random>

namespace {

// The child side: one desk's random ledger steps on the server's books
// (Save of an income or an expense, Delete of the first income), until the
// steps are done or a planned crash ends the process at its nth commit.
int desk(char **argv)
{
    const QString uri = QString::fromUtf8(argv[2]);
    std::mt19937 random(std::stoul(argv[3]));
    const int steps = std::stoi(argv[4]), crashAt = std::stoi(argv[5]);
    PlannedFaults faults;
    if (crashAt > 0)
        faults.endProcessAt(Faults::Step::Commit, crashAt, PlannedFaults::When(random() % 2));
    const DataFolder folder = DataFolder(QDir::tempPath(), faults).onServer(uri);
    const FixedClock clock;
    RunningBalance balance(folder, clock);
    Recordset income(folder.database(DataFiles::income), "Income"), expense(folder.database(DataFiles::expense), "Expense");
    ServerSideValues::Values stored;
    QString error;
    if (!income.open(&error) || !expense.open(&error) ||
        !ServerSideValues::read(folder.database(DataFiles::income), &stored, &error))
        return 2;
    balance.setFromFile(QString::number(stored.balance));
    for (int step = 0; step < steps; ++step) {
        const int kind = int(random() % 3);
        Recordset &ledger = kind == 1 ? expense : income;
        const QString amount = QString::number(double(random() % 10000) / 100, 'f', 2);
        const bool deleting = kind == 2;
        if (deleting && (income.refresh(&error), income.isEOF()))
            continue;
        const QString prefix = kind == 1 ? "Expense" : "Income";
        const QString gone = deleting ? income.field("IncomeAmount").toString() : amount;
        const QString committed = balance.afterStep(gone, kind == 1 || deleting ? -1 : 1);
        balance.commit(committed, committed, [&](const Recordset::AlongsideWrite &alongside) {
            if (deleting)
                return ledger.deleteCurrent(&error, alongside);
            ledger.addNew();
            return ledger.update({{prefix + "Type", "Desk"}, {prefix + "Amount", amount.toDouble()}}, &error, alongside);
        }, &error);
    }
    return 0;
}

QProcess *startDesk(const QString &uri, int seed, int steps, int crashAt)
{
    auto *child = new QProcess;
    child->start(QCoreApplication::applicationFilePath(),
                 {"--desk", uri, QString::number(seed), QString::number(steps), QString::number(crashAt)});
    return child;
}

// What the stored balance is, and what the stored rows say it is.
std::pair<double, double> balances(const QString &uri)
{
    Connection connection(PostgresEngine::server(uri));
    QString error;
    QSqlQuery query(connection.open(&error) ? connection.database() : QSqlDatabase());
    query.exec(R"(SELECT (SELECT "Amount" FROM "Balance"),
                         round((100 + (SELECT coalesce(sum("IncomeAmount"), 0) FROM "Income")
                                    - (SELECT coalesce(sum("ExpenseAmount"), 0) FROM "Expense"))::numeric, 2))");
    return query.next() ? std::pair{query.value(0).toDouble(), query.value(1).toDouble()} : std::pair{-1.0, -2.0};
}

} // namespace

// Desks stepping on one set of books at once, or killed in the middle of a
// step: the stored balance is always the opening balance and the stored
// incomes less the stored expenses; no step is lost, none deadlocks.
class tst_DesksAtOnce : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;
    int made = 0;

    QString books()
    {
        const QString uri = server->createDatabase(QString("books%1").arg(++made));
        TempDataFolder folder;
        folder.writeBytes(DataFiles::balance, "100\r\n");
        MoveToServer::run(folder.folder(), uri, QDate(2031, 2, 3));
        return uri;
    }

private slots:
    void initTestCase() { server = std::make_unique<PostgresServer>(); }
    void cleanupTestCase() { server.reset(); }

    void stepsAtOnceKeepTheBalance()
    {
        const QString uri = books();
        std::unique_ptr<QProcess> first(startDesk(uri, 1, 150, 0)), second(startDesk(uri, 2, 150, 0));
        for (QProcess *desk : {first.get(), second.get()})
            QVERIFY(desk->waitForFinished(60000) && desk->exitCode() == 0);
        const auto [stored, fromRows] = balances(uri);
        QCOMPARE(stored, fromRows);
        QVERIFY(stored != 100);
    }

    void killedMidStep_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("crashAt"); // the commit, before or after which the desk ends
        for (int crashAt : {1, 4, 9})
            QTest::addRow("at commit %d", crashAt) << crashAt << crashAt;
    }
    void killedMidStep()
    {
        QFETCH(int, seed);
        QFETCH(int, crashAt);
        const QString uri = books();
        std::unique_ptr<QProcess> killed(startDesk(uri, seed, 30, crashAt)), other(startDesk(uri, seed + 100, 30, 0));
        QVERIFY(killed->waitForFinished(60000) && other->waitForFinished(60000));
        QCOMPARE(killed->exitCode(), PlannedFaults::exitCode);
        const auto [stored, fromRows] = balances(uri);
        QCOMPARE(stored, fromRows);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 6 && QByteArray(argv[1]) == "--desk")
        return desk(argv);
    tst_DesksAtOnce test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_DesksAtOnce.moc"
