#include "ServerRows.h"

#include "Clock.h"
#include "CustomerTabRows.h"
#include "DataControl.h"
#include "DataFiles.h"
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
    return {Row(QStringLiteral("server: first customer"), customers, Goal::timesAnchor(2), beside),
            Row(QStringLiteral("server: first customer, to psql"), customers, Goal::timesAnchor(1.5), copy), median,
            worst};
}
