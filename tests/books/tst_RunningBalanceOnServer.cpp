#include "DataFiles.h"
#include "FixedClock.h"
#include "MoveToServer.h"
#include "PostgresServer.h"
#include "Recordset.h"
#include "RunningBalance.h"
#include "ServerSideValues.h"
#include "TempDataFolder.h"

#include <QTest>
#include <memory>

namespace {

// One desk's ledger of incomes and its balance box, on the books of a server.
struct Desk {
    DataFolder folder;
    FixedClock clock;
    RunningBalance balance{folder, clock};
    Recordset income{folder.database(DataFiles::income), "Income"};

    explicit Desk(const DataFolder &onServer) : folder(onServer)
    {
        QString error;
        QVERIFY2(income.open(&error), qPrintable(error));
        balance.setFromFile("300");
    }
    // Save of a new income, or Delete of the current one (a negative amount).
    RunningBalance::Outcome step(double amount, bool refused = false)
    {
        const QString committed = balance.afterStep(QString::number(std::abs(amount)), amount < 0 ? -1 : 1);
        QString error;
        return balance.commit(committed, committed, [&](const Recordset::AlongsideWrite &alongside) {
            if (refused)
                return false;
            if (amount < 0)
                return income.deleteCurrent(&error, alongside);
            income.addNew();
            return income.update({{"IncomeType", "Sales"}, {"IncomeAmount", amount}}, &error, alongside);
        }, &error);
    }
};

} // namespace

// Two desks step on one set of books: each step moves the stored balance by
// what it changes, so that neither loses the other's.
class tst_RunningBalanceOnServer : public QObject
{
    Q_OBJECT
private slots:
    void twoDesksKeepEachOthersSteps()
    {
        const PostgresServer server;
        TempDataFolder folder;
        folder.writeBytes(DataFiles::balance, "300\r\n");
        const QString uri = server.createDatabase("books");
        QVERIFY(MoveToServer::run(folder.folder(), uri, QDate(2031, 2, 3)).moved);
        const DataFolder onServer = folder.folder().onServer(uri);
        Desk first(onServer), second(onServer);
        QCOMPARE(first.step(100), RunningBalance::Outcome::Done);
        QCOMPARE(first.balance.text(), "400.00");
        QCOMPARE(second.step(50.1), RunningBalance::Outcome::Done); // the box shows the first desk's too
        QCOMPARE(second.balance.text(), "450.10");
        QCOMPARE(first.step(-100), RunningBalance::Outcome::Done);
        QCOMPARE(first.balance.text(), "350.10");
        QCOMPARE(second.step(7, true), RunningBalance::Outcome::Refused);
        QString error;
        QVERIFY(second.balance.set("1000.00", &error));
        QCOMPARE(first.step(0.45), RunningBalance::Outcome::Done);
        QCOMPARE(first.balance.committed(), "1000.45");
        ServerSideValues::Values stored;
        QVERIFY2(ServerSideValues::read(onServer.database(DataFiles::income), &stored, &error), qPrintable(error));
        QCOMPARE(stored.balance, 1000.45);
        QVERIFY(!QFile::exists(folder.filePath(DataFiles::balance)));
    }
};

QTEST_GUILESS_MAIN(tst_RunningBalanceOnServer)
#include "tst_RunningBalanceOnServer.moc"
