// Times what a user waits for on a large data folder: opening the customers,
// loading the main window, refreshing, moving and storing one row. For each
// number of customers a fresh data folder is filled in a temporary directory.
//
// Usage: bench_storage [N ...]   (default: 1000 10000 100000 customers)

#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DataEnvironment.h"
#include "CustomerExport.h"
#include "DataFolder.h"
#include "ExitSequence.h"
#include "FloppyBackup.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "Recordset.h"
#include "ReportCommands.h"
#include "ReportDefinitions.h"
#include "ReportPainter.h"
#include "ReportPaper.h"
#include "cZip.h"
#include "frmMain.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPdfWriter>
#include <QProcess>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

constexpr int runs = 5;
const QString customersQuery = QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC");

// Any failure makes the timings meaningless, so it ends the whole run.
void require(bool ok, const QString &what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

// ---- Test data ------------------------------------------------------------

// Varied, plausible values from a fixed seed, so that every run sorts and
// stores the same data.
class FakeData
{
public:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }

    QString oneOf(const QStringList &choices)
    {
        return choices.at(number(0, int(choices.size()) - 1));
    }

    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + number(i == 0 ? 2 : 0, 9)); // no area code starts with 0 or 1
        return text;
    }

    QString date() { return QDate(1995, 1, 1).addDays(number(0, 11000)).toString(Qt::ISODate); }
    double money(int lowDollars, int highDollars) { return number(lowDollars * 100, highDollars * 100) / 100.0; }

private:
    std::mt19937 m_engine{20240611};
};

// "adams" is lower case, as users sometimes type names, so that the NOCASE
// order of the Name column is exercised.
const QStringList surnames = {
    QStringLiteral("Smith"),  QStringLiteral("Johnson"), QStringLiteral("Williams"), QStringLiteral("Brown"),
    QStringLiteral("Jones"),  QStringLiteral("Garcia"),  QStringLiteral("Miller"),   QStringLiteral("Davis"),
    QStringLiteral("Wilson"), QStringLiteral("Anderson"), QStringLiteral("Thomas"),  QStringLiteral("Taylor"),
    QStringLiteral("Moore"),  QStringLiteral("Jackson"), QStringLiteral("Martin"),   QStringLiteral("Lee"),
    QStringLiteral("adams"),  QStringLiteral("O'Brien"), QStringLiteral("McAllister"), QStringLiteral("Young")};
const QStringList firstNames = {
    QStringLiteral("John"),  QStringLiteral("Mary"),    QStringLiteral("Robert"), QStringLiteral("Patricia"),
    QStringLiteral("James"), QStringLiteral("Jennifer"), QStringLiteral("Linda"), QStringLiteral("Michael"),
    QStringLiteral("David"), QStringLiteral("Susan"),   QStringLiteral("Karen"),  QStringLiteral("Joseph")};
const QStringList streets = {QStringLiteral("Oak St"),      QStringLiteral("Maple Ave"),
                             QStringLiteral("Cedar Ln"),    QStringLiteral("Elm Dr"),
                             QStringLiteral("Hillcrest Rd"), QStringLiteral("Lakeview Ct"),
                             QStringLiteral("Bramble Way"), QStringLiteral("Main St")};
const QStringList cities = {QStringLiteral("Springfield"), QStringLiteral("Riverton"),
                            QStringLiteral("Fairview"),    QStringLiteral("Greenville"),
                            QStringLiteral("Madison"),     QStringLiteral("Ashland")};
const QStringList states = {QStringLiteral("OH"), QStringLiteral("PA"), QStringLiteral("NY"),
                            QStringLiteral("IN"), QStringLiteral("MI")};
const QStringList schedules = {QStringLiteral("OneShot"),   QStringLiteral("Monthly"),
                               QStringLiteral("BiMonthly"), QStringLiteral("Quarterly"),
                               QStringLiteral("Every 6 Months"), QStringLiteral("Yearly")};
const QStringList remarks = {QStringLiteral("dog in the back yard, call ahead"),
                             QStringLiteral("pays by check at the front door"),
                             QStringLiteral("side gate sticks, lift to open"),
                             QStringLiteral("prefers mornings before ten"),
                             QStringLiteral("skip the flower beds by the porch")};
const QStringList incomeTypes = {QStringLiteral("Lawn mowing"), QStringLiteral("Hedge trimming"),
                                 QStringLiteral("Leaf cleanup"), QStringLiteral("Snow removal"),
                                 QStringLiteral("Gutter cleaning")};
const QStringList expenseTypes = {QStringLiteral("Gasoline"), QStringLiteral("Mower repair"),
                                  QStringLiteral("Fertilizer"), QStringLiteral("Insurance"),
                                  QStringLiteral("Trimmer line")};

QVariantList customerRow(FakeData &fake, int i)
{
    return {QStringLiteral("%1, %2 %3").arg(fake.oneOf(surnames), fake.oneOf(firstNames)).arg(i + 1),
            QStringLiteral("%1 %2").arg(QString::number(fake.number(1, 9999)), fake.oneOf(streets)),
            fake.oneOf(cities),
            fake.oneOf(states),
            fake.digits(5),
            fake.digits(10),
            fake.digits(10),
            fake.digits(10),
            fake.digits(10),
            fake.date(),
            fake.oneOf(schedules),
            fake.money(15, 150),
            fake.money(15, 600),
            fake.number(0, 4) == 0 ? 0 : -1, // most customers are active
            QStringLiteral("Gate code %1; %2").arg(fake.digits(4), fake.oneOf(remarks))};
}

QVariantList ledgerRow(FakeData &fake, const QStringList &types, int i)
{
    return {fake.oneOf(types), fake.money(5, 500), fake.date(), QString::number(100000 + i)};
}

// Inserts the rows through a connection of the benchmark's own, in one
// transaction, and closes it again so that the program finds the file as
// it would any other.
void fill(const QString &path, const QString &insert, int rows,
          const std::function<QVariantList(int)> &makeRow)
{
    const QString name = QStringLiteral("bench-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        require(db.open() && db.transaction(), path + QStringLiteral(": ") + db.lastError().text());
        {
            QSqlQuery query(db);
            require(query.prepare(insert), query.lastError().text());
            for (int i = 0; i < rows; ++i) {
                const QVariantList values = makeRow(i);
                for (int column = 0; column < values.size(); ++column)
                    query.bindValue(column, values.at(column));
                require(query.exec(), query.lastError().text());
            }
        }
        require(db.commit(), db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void fillFolder(const QDir &folder, int customers)
{
    FakeData fake;
    fill(folder.filePath(DataFiles::customers),
         QStringLiteral("INSERT INTO Customers (Name, Address, City, State, Zip, Home, Cell, HisWork, "
                        "HerWork, DateStarted, Schedule, AmountPerVisit, AmountMonthly, Active, "
                        "Comments) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         customers, [&](int i) { return customerRow(fake, i); });
    fill(folder.filePath(DataFiles::income),
         QStringLiteral("INSERT INTO Income (IncomeType, IncomeAmount, IncomeDate, IncomeInvoice) "
                        "VALUES (?, ?, ?, ?)"),
         customers / 2, [&](int i) { return ledgerRow(fake, incomeTypes, i); });
    fill(folder.filePath(DataFiles::expense),
         QStringLiteral("INSERT INTO Expense (ExpenseType, ExpenseAmount, ExpenseDate, ExpenseInvoice) "
                        "VALUES (?, ?, ?, ?)"),
         customers / 2, [&](int i) { return ledgerRow(fake, expenseTypes, i); });
}

// ---- Stand-ins for the user ----------------------------------------------

// Answers every box with OK and keeps its text: on a sound data folder no
// box may appear, so any kept text is reported as a failure.
class RecordingMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        shown << request.text;
        return QMessageBox::Ok;
    }
    QStringList shown;
};

class IdleLauncher final : public Launcher
{
public:
    bool openDocument(const QString &, QString *) override { return true; }
    bool startProgram(const QString &, QString *) override { return true; }
};

// ---- Measuring ------------------------------------------------------------

double millisecondsSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The median resists the odd run slowed down by the rest of the machine.
// Each run times itself, so that setting up and tearing down stay outside.
double median(const std::function<double(int run)> &timedRun)
{
    std::array<double, runs> times{};
    for (int run = 0; run < runs; ++run)
        times[run] = timedRun(run);
    std::sort(times.begin(), times.end());
    return times[runs / 2];
}

double openFirstRow(const DataFolder &folder)
{
    QString error;
    QElapsedTimer timer;
    timer.start();
    Recordset customers(folder.filePath(DataFiles::customers), customersQuery);
    require(customers.open(&error), error);
    const QVariant name = customers.field(QStringLiteral("Name"));
    const double elapsed = millisecondsSince(timer);
    require(!name.isNull(), QStringLiteral("The first customer has no name."));
    return elapsed;
}

double loadMainWindow(const DataFolder &folder)
{
    RecordingMessageBox messages;
    IdleLauncher launcher;
    QElapsedTimer timer;
    timer.start();
    auto window = std::make_unique<frmMain>(folder, messages, launcher);
    const bool loaded = window->Form_Load();
    QCoreApplication::processEvents();
    const double elapsed = millisecondsSince(timer);
    require(loaded && messages.shown.isEmpty(),
            QStringLiteral("The main window did not load cleanly: ") + messages.shown.join(u' '));
    return elapsed;
}

double refresh(Recordset &customers)
{
    QString error;
    QElapsedTimer timer;
    timer.start();
    require(customers.refresh(&error), error);
    return millisecondsSince(timer);
}

double moveLast(Recordset &customers)
{
    QElapsedTimer timer;
    timer.start();
    customers.moveLast();
    const QVariant name = customers.field(QStringLiteral("Name"));
    const double elapsed = millisecondsSince(timer);
    require(!name.isNull(), QStringLiteral("The last customer has no name."));
    return elapsed;
}

double updateOneRow(Recordset &customers, int run)
{
    QString error;
    QElapsedTimer timer;
    timer.start();
    customers.moveFirst();
    require(customers.update(QVariantHash{{QStringLiteral("Comments"), QStringLiteral("bench %1").arg(run)}},
                             &error),
            error);
    return millisecondsSince(timer);
}

// A search through the tab's own handler, as the Search button runs it: the
// data control read afresh, then narrowed. Every text matches some customers,
// so no message box interrupts it.
double search(CustomerTab &tab, int option, const QString &text)
{
    const CustomerTabForm &form = tab.form();
    (option == 1 ? form.byName : option == 2 ? form.byAddress : form.byPhone)->setChecked(true);
    form.searchText->setText(text);
    QElapsedTimer timer;
    timer.start();
    tab.cmdSearch_Click();
    const double elapsed = millisecondsSince(timer);
    require(tab.customers().recordset().visibleCount() > 0, QStringLiteral("Nothing matched ") + text);
    tab.cmdClear_Click();
    return elapsed;
}

double clear(CustomerTab &tab)
{
    tab.form().byName->setChecked(true);
    tab.form().searchText->setText(QStringLiteral("mit"));
    tab.cmdSearch_Click();
    QElapsedTimer timer;
    timer.start();
    tab.cmdClear_Click();
    return millisecondsSince(timer);
}

// The customer report of every customer, as the Main Report button makes it:
// the query, the layout and the PDF.
struct ReportTimes {
    double query, layout, pdf;
    int pages;
};

ReportTimes customerReport(const DataFolder &folder)
{
    ReportTimes times{};
    QString error;
    DataEnvironment environment(folder.filePath(DataFiles::customers));
    ReportRows rows;
    QElapsedTimer timer;
    timer.start();
    require(environment.open(&error) &&
                environment.run(ReportCommands::customers, {"1980-01-01", "2100-01-01", 0, -1}, &rows, &error),
            error);
    times.query = millisecondsSince(timer);
    const QPageLayout layout = ReportPaper::pageLayout(ReportPaper::defaultSize(), true);
    timer.restart();
    const QList<ReportPage> pages = ReportLayout::layOut(ReportDefinitions::customerReport(), rows,
                                                         ReportPaper::inTwips(layout), QDate::currentDate());
    times.layout = millisecondsSince(timer);
    times.pages = int(pages.size());
    QTemporaryDir temporary;
    QPdfWriter writer(temporary.filePath(QStringLiteral("report.pdf")));
    writer.setPageLayout(layout);
    timer.restart();
    require(ReportPainter::print(writer, pages), QStringLiteral("The PDF could not be drawn."));
    times.pdf = millisecondsSince(timer);
    return times;
}

// The maintenance commands, each timed once: the backup against Debian's zip
// at the same compression on the same files, the export, and the exit last,
// since it compacts the databases the others read.
struct MaintenanceTimes {
    double backup, zip, exportWorkbook, exit;
};

MaintenanceTimes maintenance(const DataFolder &folder)
{
    MaintenanceTimes times{};
    QElapsedTimer timer;
    cZip component;
    timer.start();
    const auto backup = FloppyBackup::run(component, folder, QString(), QDate::currentDate());
    times.backup = millisecondsSince(timer);
    require(backup.outcome == FloppyBackup::Outcome::NoMedium, QStringLiteral("The backup failed: ") + backup.error);

    QStringList missing;
    const QStringList files = FloppyBackup::files(folder, &missing);
    QProcess zip;
    zip.setWorkingDirectory(folder.path());
    timer.restart();
    zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-9"), QStringLiteral("-q"),
                                                 QStringLiteral("Compare.zip")} + files);
    require(zip.waitForFinished(-1) && zip.exitCode() == 0, QStringLiteral("zip failed; is it installed?"));
    times.zip = millisecondsSince(timer);

    QString error;
    timer.restart();
    require(CustomerExport::run(folder, &error), error);
    times.exportWorkbook = millisecondsSince(timer);

    RecordingMessageBox messages;
    timer.restart();
    ExitSequence::run(folder, messages, nullptr, {});
    times.exit = millisecondsSince(timer);
    require(messages.shown.size() == 1, QStringLiteral("The exit showed: ") + messages.shown.join(u' '));
    return times;
}

// VmHWM is the peak of the whole process. Writing 5 to clear_refs lowers it
// to the present size, so that each N reports its own peak rather than that
// of a larger N measured before it.
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    require(clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1,
            QStringLiteral("The peak memory cannot be reset: ") + clearRefs.errorString());
}

double peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    require(status.open(QIODevice::ReadOnly | QIODevice::Text), status.errorString());
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    throw std::runtime_error("/proc/self/status has no VmHWM.");
}

struct Result {
    double openFirstRow, mainWindow, refresh, moveLast, update, byName, byAddress, byPhone, clear,
        peakMiB, fileMiB;
    ReportTimes report;
    MaintenanceTimes maintenance;
};

Result measureFolder(const DataFolder &folder)
{
    Result result{};
    resetPeakMemory();
    result.openFirstRow = median([&](int) { return openFirstRow(folder); });
    result.mainWindow = median([&](int) { return loadMainWindow(folder); });
    {
        QString error;
        Recordset customers(folder.filePath(DataFiles::customers), customersQuery);
        require(customers.open(&error), error);
        result.refresh = median([&](int) { return refresh(customers); });
        result.moveLast = median([&](int) { return moveLast(customers); });
        result.update = median([&](int run) { return updateOneRow(customers, run); });
    }
    {
        RecordingMessageBox messages;
        CustomerTab tab(folder, messages);
        require(tab.customers().open(), QStringLiteral("The customers did not open."));
        result.byName = median([&](int) { return search(tab, 1, QStringLiteral("mit")); });
        result.byAddress = median([&](int) { return search(tab, 2, QStringLiteral("oak")); });
        result.byPhone = median([&](int) { return search(tab, 3, QStringLiteral("555")); });
        result.clear = median([&](int) { return clear(tab); });
        require(messages.shown.isEmpty(), QStringLiteral("A search showed: ") + messages.shown.join(u' '));
    }
    result.report = customerReport(folder);
    result.maintenance = maintenance(folder);
    result.peakMiB = peakMemoryMiB();
    result.fileMiB = double(QFileInfo(folder.filePath(DataFiles::customers)).size()) / (1024.0 * 1024.0);
    return result;
}

Result measure(int customers)
{
    QTemporaryDir temporary;
    require(temporary.isValid(), temporary.errorString());
    const DataFolder folder(temporary.path());
    QString error;
    require(folder.install(&error), error);
    fillFolder(QDir(folder.path()), customers);
    return measureFolder(folder);
}

void printHeader()
{
    std::printf("Median of %d runs, times in ms; peak RSS (VmHWM) and Customers.mdb in MiB.\n\n", runs);
    std::printf("Search by name, address and phone and Clear go through the Customers tab's handlers;\n"
                "the customer report of every customer is timed once: query, layout and PDF.\n\n");
    std::printf("%9s %18s %18s %10s %10s %16s %8s %8s %8s %8s %10s %15s %8s %8s %8s %6s\n",
                "customers", "open + first row", "main window load", "Refresh", "MoveLast",
                "Update one row", "by name", "address", "phone", "Clear", "peak RSS",
                "Customers.mdb", "query", "layout", "PDF", "pages");
    std::printf("(then, each once: the zip backup, Debian's zip -9 on the same files, the export, the exit)\n");
}

void printRow(int customers, const Result &r)
{
    std::printf("%9d %18.1f %18.1f %10.1f %10.1f %16.1f %8.1f %8.1f %8.1f %8.1f %10.1f %15.1f %8.1f "
                "%8.1f %8.1f %6d\n",
                customers, r.openFirstRow, r.mainWindow, r.refresh, r.moveLast, r.update, r.byName,
                r.byAddress, r.byPhone, r.clear, r.peakMiB, r.fileMiB, r.report.query,
                r.report.layout, r.report.pdf, r.report.pages);
    std::printf("%9s backup %.1f  zip -9 %.1f  export %.1f  exit %.1f\n", "", r.maintenance.backup,
                r.maintenance.zip, r.maintenance.exportWorkbook, r.maintenance.exit);
    std::fflush(stdout);
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
                                     QStringLiteral("\nUsage: bench_storage [N ...]"));
        counts << count;
    }
    return counts;
}

} // namespace

int main(int argc, char *argv[])
{
    // The window is built and laid out but never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The font the program itself sets: it decides the layout work.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    try {
        const QList<int> counts = customerCounts(QCoreApplication::arguments().mid(1));
        printHeader();
        for (const int customers : counts)
            printRow(customers, measure(customers));
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "bench_storage: %s\n", failure.what());
        return 1;
    }
    return 0;
}
