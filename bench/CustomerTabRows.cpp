#include "CustomerTabRows.h"

#include "Anchors.h"
#include "Clock.h"
#include "CustomerTab.h"
#include "DataControl.h"
#include "OpenBooks.h"
#include "Require.h"
#include "StandIns.h"
#include "frmCustomerList.h"
#include "frmMain.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>

double firstCustomerShown(const DataFolder &folder)
{
    RecordingMessageBox messages;
    IdleLauncher launcher;
    const SystemClock clock;
    QElapsedTimer timer;
    timer.start();
    OpenBooks books(folder);
    QString reason;
    require(books.open(&reason), QStringLiteral("The books did not open: ") + reason);
    auto window = std::make_unique<frmMain>(books, messages, launcher, clock);
    require(window->Form_Load(),
            QStringLiteral("The main window did not load: ") + messages.shown.join(u' '));
    window->show();
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    auto *customers = window->findChild<CustomerTab *>();
    require(tabs && customers, QStringLiteral("The main window has no Customers tab."));
    tabs->setCurrentWidget(customers);
    const QLineEdit *name = customers->form().name;
    waitUntil([&] { return !name->text().isEmpty(); }, QStringLiteral("the first customer's name"));
    const double elapsed = millisecondsSince(timer);
    require(messages.shown.isEmpty(), QStringLiteral("The start showed: ") + messages.shown.join(u' '));
    return elapsed;
}

namespace {

// A search through the tab's own handler, as the Search button runs it: the
// customers read afresh, then narrowed. Every text matches some customers,
// so no box says that none did.
double search(CustomerTab &tab, QRadioButton *option, const QString &text)
{
    option->setChecked(true);
    tab.form().searchText->setText(text);
    QElapsedTimer timer;
    timer.start();
    tab.cmdSearch_Click();
    const double elapsed = millisecondsSince(timer);
    tab.cmdClear_Click();
    return elapsed;
}

// The customer list over the tab's rows: opened, sorted by amount, and
// narrowed by one more letter typed.
QList<Row> customerListRows(CustomerTab &tab, int customers, int rounds)
{
    Recordset &records = tab.customers().recordset();
    Row open(QStringLiteral("customer list: open"), customers, Goal::below(300, QStringLiteral("ms")));
    open.program = repeat(rounds, [&] {
        QElapsedTimer timer;
        timer.start();
        frmCustomerList list(records);
        return millisecondsSince(timer);
    });
    frmCustomerList list(records);
    auto *header = list.findChild<QTableView *>(QStringLiteral("lstCustomers"))->horizontalHeader();
    Row sort(QStringLiteral("customer list: sort"), customers, Goal::below(200, QStringLiteral("ms")));
    int order = 0;
    sort.program = repeat(rounds, [&] {
        QElapsedTimer timer;
        timer.start();
        header->setSortIndicator(6, ++order % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        return millisecondsSince(timer);
    });
    header->setSortIndicator(1, Qt::AscendingOrder);
    auto *filter = list.findChild<QLineEdit *>(QStringLiteral("txtListFilter"));
    Row narrow(QStringLiteral("customer list: filter key"), customers, Goal::below(50, QStringLiteral("ms")));
    narrow.program = repeat(rounds, [&] {
        filter->setText(QStringLiteral("mi"));
        QElapsedTimer timer;
        timer.start();
        filter->setText(QStringLiteral("mit"));
        return millisecondsSince(timer);
    });
    // Two words, one of them a phone's digits: each is tested against every
    // field, and the digits against every phone's.
    Row words(QStringLiteral("customer list: two words key"), customers, Goal::below(50, QStringLiteral("ms")));
    words.program = repeat(rounds, [&] {
        filter->setText(QStringLiteral("mit 55"));
        QElapsedTimer timer;
        timer.start();
        filter->setText(QStringLiteral("mit 555"));
        return millisecondsSince(timer);
    });
    return {open, sort, narrow, words};
}

} // namespace

QList<Row> customerTabRows(const DataFolder &folder, int customers)
{
    const int rounds = roundsFor(customers);
    const Pair shown = alternate(rounds, [&] { return firstCustomerShown(folder); },
                                 [&] { return Anchors::listCustomers(folder); });
    QList<Row> rows{Row(QStringLiteral("first customer shown"), customers,
                        Goal::below(300, QStringLiteral("ms")), shown)};

    RecordingMessageBox messages;
    const SystemClock clock;
    CustomerTab tab(folder, messages, clock);
    require(tab.customers().open(), QStringLiteral("The customers did not open."));
    waitUntil([&] { return !tab.form().name->text().isEmpty(); }, QStringLiteral("the first customer"));
    const CustomerTabForm &form = tab.form();
    const struct {
        const char *work;
        QRadioButton *option;
        const char *text;
    } searches[] = {{"search by name", form.byName, "mit"},
                    {"search by address", form.byAddress, "oak"},
                    {"search by phone", form.byPhone, "555"}};
    for (const auto &each : searches) {
        // The figure at 100,000 customers may grow at most twelvefold over
        // the one at 10,000, a little more than the rows do.
        Goal goal = Goal::atMost(10, QStringLiteral("ms"));
        if (customers == 100000) {
            goal.text += QStringLiteral(", <= 12x 10k");
            goal.maxRatio = 12;
        }
        Row row(QString::fromLatin1(each.work), customers, goal);
        const QString text = QString::fromLatin1(each.text);
        row.program = repeat(rounds, [&] { return search(tab, each.option, text); });
        row.anchorCustomers = 10000;
        rows << row;
    }
    require(messages.shown.isEmpty(), QStringLiteral("A search showed: ") + messages.shown.join(u' '));
    return rows + customerListRows(tab, customers, rounds);
}
