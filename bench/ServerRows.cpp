#include "ServerRows.h"

#include "Clock.h"
#include "CustomerTabRows.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "LedgerDesk.h"
#include "MoveToServer.h"
#include "OpenBooks.h"
#include "PostgresServer.h"
#include "Require.h"
#include "StandIns.h"
#include "frmMain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace {

// psql's own bulk copy of the customers in name order, thrown away.
double psqlCopy(const QString &uri)
{
    QElapsedTimer timer;
    timer.start();
    QProcess psql;
    psql.setStandardOutputFile(QProcess::nullDevice());
    psql.start(QStringLiteral("psql"),
               {uri, QStringLiteral("-qc"),
                QStringLiteral(R"(\copy (SELECT * FROM bramblewood."Customers" ORDER BY "Name") TO STDOUT)")});
    require(psql.waitForFinished(60000) && psql.exitCode() == 0, QStringLiteral("psql could not copy the customers."));
    return millisecondsSince(timer);
}

struct Desk {
    RecordingMessageBox messages;
    IdleLauncher launcher;
    SystemClock clock;
    std::unique_ptr<frmMain> window;

    explicit Desk(const DataFolder &folder)
    {
        OpenBooks books(folder);
        QString reason;
        require(books.open(&reason), QStringLiteral("The books did not open: ") + reason);
        window = std::make_unique<frmMain>(books, messages, launcher, clock);
        require(window->Form_Load(), QStringLiteral("A desk did not load."));
    }
    Recordset &customers() const
    {
        return window->findChild<DataControl *>(QStringLiteral("Adodc1"))->recordset();
    }
};

// From a Save at one desk until the other desk's customers hold the row.
QList<double> savesShownAtTheOtherDesk(const DataFolder &folder, int rounds)
{
    Desk first(folder), second(folder);
    QList<double> latencies;
    for (int round = 0; round < rounds; ++round) {
        const qsizetype before = second.customers().visibleCount();
        Recordset &customers = first.customers();
        customers.addNew();
        QString error;
        QElapsedTimer timer;
        timer.start();
        require(customers.update({{QStringLiteral("Name"), QStringLiteral("Desk %1").arg(round)}}, &error), error);
        waitUntil([&] { return second.customers().visibleCount() > before; }, QStringLiteral("the other desk"));
        latencies << millisecondsSince(timer);
    }
    return latencies;
}

// Desks' ledger steps, each desk a process of its own, all at once; each
// desk's steps counted and the books checked after.
double stepsAtOnce(const QString &uri, const QList<int> &seeds, int steps)
{
    // The balance the books opened with, whatever their rows were then.
    const LedgerDesk::Books before = LedgerDesk::read(uri, 0);
    const double opening = before.balance - before.fromRows;
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> desks;
    for (const int seed : seeds)
        desks.push_back(LedgerDesk::start(uri, seed, steps));
    qint64 entries = before.entries;
    for (const auto &desk : desks) {
        require(desk->waitForFinished(600000) && desk->exitCode() == 0, QStringLiteral("A desk did not finish."));
        const QList<QByteArray> stored = desk->readAllStandardOutput().split(' ');
        entries += stored.value(0).toLongLong() - stored.value(1).toLongLong();
    }
    const double elapsed = millisecondsSince(timer);
    const LedgerDesk::Books books = LedgerDesk::read(uri, opening);
    require(qRound64(books.balance * 100) == qRound64(books.fromRows * 100) && books.entries == entries,
            QStringLiteral("The desks' steps left the books wrong: balance %1, from the rows %2, %3 entries of %4.")
                .arg(books.balance)
                .arg(books.fromRows)
                .arg(books.entries)
                .arg(entries));
    return elapsed;
}

} // namespace

QList<Row> serverRows(const DataFolder &folder, int customers)
{
    const PostgresServer server;
    const QString uri = server.createDatabase(QStringLiteral("bench"));
    QTemporaryDir moved;
    for (const QString &name : DataFiles::all())
        require(QFile::copy(folder.filePath(name), QDir(moved.path()).filePath(name)),
                QStringLiteral("The data folder could not be copied."));
    const MoveToServer::Result move = MoveToServer::run(DataFolder(moved.path()), uri, QDate::currentDate());
    require(move.moved, move.error);
    const DataFolder onServer = DataFolder(moved.path()).onServer(uri);

    const int rounds = roundsFor(customers);
    const Pair beside = alternate(rounds, [&] { return firstCustomerShown(onServer); },
                                  [&] { return firstCustomerShown(folder); });
    const Pair copy = alternate(rounds, [&] { return firstCustomerShown(onServer); },
                                [&] { return psqlCopy(uri); });
    const Figure shown = figureOf(savesShownAtTheOtherDesk(onServer, 21));
    Row median(QStringLiteral("server: Save shown at a desk"), customers, Goal::below(300, QStringLiteral("ms")));
    median.program = shown;
    Row worst(QStringLiteral("server: Save shown, worst"), customers, Goal::below(1000, QStringLiteral("ms")));
    worst.program = Figure{shown.max, shown.max, shown.max};
    const Pair desks = alternate(1, [&] { return stepsAtOnce(uri, {1, 2}, 1000); },
                                 [&] { return stepsAtOnce(uri, {3}, 2000); });
    // The goals stand at 100,000 customers; with fewer, the desk's dozen
    // connections to the server (about 50 ms) outweigh the rows.
    const auto atMostTimes = [&](double ratio) {
        return customers >= 100000 ? Goal::timesAnchor(ratio)
                                   : Goal{QStringLiteral("<= %1x at 100,000").arg(ratio, 0, 'f', 1), {}, false, {}};
    };
    return {Row(QStringLiteral("server: first customer"), customers, atMostTimes(2), beside),
            Row(QStringLiteral("server: first customer, to psql"), customers, atMostTimes(1.5), copy), median,
            worst, Row(QStringLiteral("server: two desks' steps"), customers, Goal::timesAnchor(1), desks)};
}
