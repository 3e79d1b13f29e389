// Times what a user waits for on data folders of growing size and prints one
// table: each figure beside its goal and an anchor measured in the same run.
// For each number of customers a fresh data folder is filled in a temporary
// directory, with as many income and as many expense entries as customers.
//
// Usage: bench [N ...]   (default: 1000 10000 100000 customers)

#include "CustomerReportRows.h"
#include "CustomerTabRows.h"
#include "FakeFolder.h"
#include "LedgerDesk.h"
#include "MaintenanceRows.h"
#include "ServerRows.h"
#include "Require.h"
#include "StartupRows.h"
#include "VirtualDisplay.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <memory>

namespace {

// A worksheet holds 65,536 rows, the column names taking the first.
constexpr int mostExported = 65535;

const QStringList anchors = {
    QStringLiteral("spawn to first paint   an empty Qt Widgets window, spawned and timed alike"),
    QStringLiteral("peak RSS               the program on a new, empty folder, through the same steps"),
    QStringLiteral("first customer shown   sqlite3 SELECT * FROM Customers ORDER BY Name, to /dev/null"),
    QStringLiteral("search by ...          the same search at 10,000 customers"),
    QStringLiteral("report first page      none"),
    QStringLiteral("report to PDF          a bare QPdfWriter loop drawing the same rows' cells"),
    QStringLiteral("export                 sqlite3 -csv of the same customers, into a file"),
    QStringLiteral("zip backup             zip -9 of the same files"),
    QStringLiteral("exit sequence          cp of the three databases, sqlite3 VACUUM INTO of each, sync"),
    QStringLiteral("server: first customer the same on the data folder the books were moved from"),
    QStringLiteral("  ..., to psql         psql \\copy of the customers in name order, to /dev/null"),
    QStringLiteral("server: Save shown     none; from the Save at one desk until the other desk holds the row"),
    QStringLiteral("server: two desks'    1,000 ledger steps at each of two desks at once (the balance and every"),
    QStringLiteral("  steps                step checked after), to one desk's 2,000 alone")};

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform cannot raise a window, and says so every time a
// report window comes to the front.
void dropOffscreenComplaints(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        defaultMessageHandler(type, context, message);
}

void progress(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

QList<Row> measure(int customers, const VirtualDisplay &display)
{
    progress(QStringLiteral("%1 customers: filling the data folder").arg(customers));
    const FakeFolder data(customers, customers);
    std::unique_ptr<FakeFolder> fewer;
    if (customers > mostExported)
        fewer = std::make_unique<FakeFolder>(mostExported, 0);
    const DataFolder &folder = data.folder();
    progress(QStringLiteral("%1 customers: start-up").arg(customers));
    QList<Row> rows = startupRows(folder, customers, display);
    progress(QStringLiteral("%1 customers: the Customers tab").arg(customers));
    rows << customerTabRows(folder, customers);
    progress(QStringLiteral("%1 customers: the customer report").arg(customers));
    rows << customerReportRows(folder, customers);
    progress(QStringLiteral("%1 customers: export, backup and exit").arg(customers));
    rows << maintenanceRows(folder, fewer ? fewer->folder() : folder, customers);
    progress(QStringLiteral("%1 customers: the books on a server").arg(customers));
    rows << serverRows(folder, customers);
    return rows;
}

// The customer counts from the command line, or the default ones.
QList<int> customerCounts(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return {1000, 10000, 100000};
    QList<int> counts;
    for (const QString &argument : arguments) {
        bool ok = false;
        const int count = argument.toInt(&ok);
        require(ok && count > 0, QStringLiteral("Not a number of customers: ") + argument +
                                     QStringLiteral("\nUsage: bench [N ...]"));
        counts << count;
    }
    return counts;
}

} // namespace

int main(int argc, char *argv[])
{
    // The windows measured in this process are built and laid out but need
    // no screen; the helper's windows go to the display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && QByteArray(argv[1]) == LedgerDesk::argument) {
        QCoreApplication app(argc, argv);
        return LedgerDesk::run(argc, argv);
    }
    QApplication app(argc, argv);
    defaultMessageHandler = qInstallMessageHandler(dropOffscreenComplaints);
    // The font the program itself sets: it decides the layout work.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    try {
        const QList<int> counts = customerCounts(QCoreApplication::arguments().mid(1));
        const VirtualDisplay display;
        QList<Row> rows;
        for (const int customers : counts)
            rows << measure(customers, display);
        std::printf("Median of %d rounds (%d above 10,000 customers) [min-max]; the rounds of the "
                    "program and of its anchor take turns.\n\n",
                    roundsFor(1), roundsFor(100000));
        printTable(rows, anchors);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
