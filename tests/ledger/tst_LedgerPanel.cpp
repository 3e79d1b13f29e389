#include "Balance.h"
#include "BalanceJournal.h"
#include "Controls.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "EntryStateMachine.h"
#include "FixedClock.h"
#include "IncomeExpensesTab.h"
#include "LedgerDesk.h"
#include "LedgerPanel.h"
#include "NumberText.h"
#include "PlannedFaults.h"
#include "RecordingMessageBox.h"
#include "RunningBalance.h"
#include "ScriptedMessageBox.h"
#include "ServerBooks.h"
#include "TempDataFolder.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include <random>

namespace {

// The Income and Expenses tab on a data folder, both panels open, shown and active.
struct LedgerFixture {
    TempDataFolder folder;
    PlannedFaults faults;
    std::unique_ptr<MessageBox> messages;
    FixedClock clock;
    std::unique_ptr<IncomeExpensesTab> tab;

    explicit LedgerFixture(std::unique_ptr<MessageBox> box = std::make_unique<ScriptedMessageBox>(),
                           const std::optional<DataFolder> &on = {})
        : folder(!on), messages(std::move(box))
    {
        tab = std::make_unique<IncomeExpensesTab>(on.value_or(folder.folder(faults)), *messages, clock);
        tab->income().entries().open();
        tab->expense().entries().open();
        showActive(tab.get());
    }
    ScriptedMessageBox &script() { return static_cast<ScriptedMessageBox &>(*messages); }
    QLineEdit *box(const QString &name) const { return ::box(tab.get(), name); }
    void click(const QString &button) const { ::click(tab.get(), button); }
    // The balance as the box shows it.
    QString balance() const { return box(QStringLiteral("txtBalance"))->text(); }
    // Set, as the sign-in window does it.
    void setBalance(const QString &text) const
    {
        QString error;
        if (!tab->balance().set(text, &error))
            qFatal("%s", qPrintable(error));
    }
    void navigate(const QString &table, const char *button) const
    {
        ::click(control(tab.get(), QStringLiteral("fra") + table), QString::fromLatin1(button));
    }
    // Types an entry into a panel's boxes: name, amount, date.
    void type(const QString &table, const QString &name, const QString &amount,
              const QString &date = QStringLiteral("1/2/2024")) const
    {
        box(QStringLiteral("txt%1Type").arg(table))->setText(name);
        box(QStringLiteral("txt%1Amount").arg(table))->setText(amount);
        box(QStringLiteral("txt%1Date").arg(table))->setText(date);
    }
    void insert(const QString &table, const QString &values) const
    {
        folder.execute(table + QStringLiteral(".mdb"),
                       QStringLiteral("INSERT INTO %1 VALUES %2").arg(table, values));
        (table == QLatin1String("Income") ? tab->income() : tab->expense()).entries().refresh();
    }
};

QString suffix(const QString &table)
{
    return table == QLatin1String("Income") ? QStringLiteral("2") : QStringLiteral("3");
}

// Answers every box at random among the buttons it offers.
class RandomAnswers final : public MessageBox
{
public:
    explicit RandomAnswers(std::mt19937 &random) : m_random(random) {}
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        if (request.buttons.testFlag(QMessageBox::Cancel) && m_random() % 2)
            return QMessageBox::Cancel;
        return QMessageBox::Ok;
    }

private:
    std::mt19937 &m_random;
};

// One thing a user might do on one of the panels: press a button, move, or
// type what a user might into the boxes that take typing and save.
void randomStep(LedgerFixture &f, std::mt19937 &random)
{
    const auto pick = [&](const QStringList &choices) { return choices[random() % choices.size()]; };
    const QString table = pick({"Income", "Expense"});
    const int action = int(random() % 6);
    if (action < 3) {
        f.click(QStringList{"cmdAdd", "cmdEdit", "cmdDelete"}[action] + suffix(table));
    } else if (action == 3) {
        f.navigate(table, qPrintable(pick({"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"})));
    } else {
        f.box("txt" + table + "Type")->setText(pick({"Sales", " ", "", "Rent"}));
        const QString amount = pick({"12.50", "0.99", "300", "-4.25", "abc", "", "1,250.00", "7"});
        if (!f.box("txt" + table + "Amount")->isReadOnly())
            f.box("txt" + table + "Amount")->setText(amount);
        const QString date = pick({"1/2/2024", "12/31/2025", "2/30/2004", ""});
        if (!f.box("txt" + table + "Date")->isReadOnly())
            f.box("txt" + table + "Date")->setText(date);
        f.click("cmdSave" + suffix(table));
    }
}

// The opening amount plus the stored incomes minus the stored expenses, as
// balance.kvd holds it, in the form the box shows.
QString committedBalance(const TempDataFolder &folder, double opening)
{
    return NumberText::twoDecimals(
        NumberText::round15(opening + folder.storedSum("Income") - folder.storedSum("Expense")));
}

QString balanceFile(const TempDataFolder &folder)
{
    return NumberText::twoDecimals(Balance::fromFile(QString::fromUtf8(folder.bytes(DataFiles::balance))).value_or(qQNaN()));
}

// Set through the sign-in window, as a user does.
void setThroughWindow(IncomeExpensesTab &tab, const QString &balance)
{
    click(&tab, "cmdSetBalance");
    auto *login = tab.findChild<frmLogin *>();
    box(login, "txtPassword")->setText(DataFolder::defaultPassword);
    box(login, "txtInputBalance")->setText(balance);
    click(login, "cmdOK");
}

// The child side of killedAnywhereRestartsRight: on a folder holding a
// balance of 0 and no entries, Set 250 and then the session of the seed (0:
// an entry stored on each panel, one edited, one deleted), until the kill
// point ends the process, or to the end.
int killedSession(const QString &folder, unsigned seed, int step, int nth, int when)
{
    std::mt19937 random(seed);
    PlannedFaults faults;
    LedgerFixture f(seed ? std::unique_ptr<MessageBox>(std::make_unique<RandomAnswers>(random))
                         : std::make_unique<RecordingMessageBox>(),
                    DataFolder(folder, faults));
    faults.endProcessAt(Faults::Step(step), nth, PlannedFaults::When(when));
    setThroughWindow(*f.tab, "250");
    if (seed) {
        for (int i = 0; i < 40; ++i)
            randomStep(f, random);
        return 0;
    }
    for (const QString table : {"Income", "Expense"}) {
        f.click("cmdAdd" + suffix(table));
        f.type(table, "Sales", "12.50");
        f.click("cmdSave" + suffix(table));
    }
    f.click("cmdEdit2");
    f.box("txtIncomeAmount")->setText("30");
    f.click("cmdSave2");
    f.click("cmdDelete3");
    return 0;
}

// The stored balance, and the opening amount plus the stored incomes minus
// the stored expenses, from the folder or from the server at the address.
std::pair<QString, double> storedBooks(const LedgerFixture &f, const QString &server, double opening)
{
    if (server.isEmpty())
        return {balanceFile(f.folder), opening + f.folder.storedSum("Income") - f.folder.storedSum("Expense")};
    const LedgerDesk::Books books = LedgerDesk::read(server, opening);
    return {NumberText::twoDecimals(books.balance), books.fromRows};
}

// What the stored rows make of the opening amount, but for the old amount of
// an entry being edited, which Edit has taken out until Save puts the new one in.
QString expectedBalance(LedgerFixture &f, double fromRows)
{
    double expected = fromRows;
    for (const auto &[panel, sign] : {std::pair{&f.tab->income(), -1}, {&f.tab->expense(), +1}})
        if (panel->entry().mode() == EntryMode::Editing)
            expected += sign * panel->entries().recordset().field(panel->title() + "Amount").toDouble();
    return NumberText::twoDecimals(NumberText::round15(expected));
}

} // namespace

class tst_LedgerPanel : public QObject
{
    Q_OBJECT
private slots:
    void newLocksOtherPanelAndNavigation_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("invoice");
        QTest::newRow("income") << "Income" << "Expense" << "Deposit";
        QTest::newRow("expense") << "Expense" << "Income" << "";
    }

    // New on one panel while the other is adding takes the other's boxes too.
    void newLocksOtherPanelAndNavigation()
    {
        QFETCH(QString, table);
        QFETCH(QString, other);
        QFETCH(QString, invoice);
        LedgerFixture f;
        f.click("cmdAdd" + suffix(other));
        f.click("cmdAdd" + suffix(table));
        QCOMPARE(f.box("txt" + table + "Invoice")->text(), invoice);
        QCOMPARE(focused(), "txt" + table + "Type");
        QString locked;
        for (const QString &panel : {table, other})
            for (const char *field : {"Type", "Amount", "Date", "Invoice"})
                locked += f.box("txt" + panel + field)->isReadOnly() ? u'1' : u'0';
        QCOMPARE(locked, QStringLiteral("00000111"));
        QVERIFY(!control(f.tab.get(), "Adodc" + suffix(table))->isEnabled());
    }

    void failedWriteIsTold_data()
    {
        QTest::addColumn<int>("failing"); // the step that fails, -1: the table refuses
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("stored");
        QTest::newRow("staging balance.kvd") << int(Faults::Step::Write) << "The balance could not be saved" << false;
        QTest::newRow("the table refuses the entry") << -1 << "could not be stored in Income.mdb" << false;
        QTest::newRow("replacing balance.kvd") << int(Faults::Step::Rename) << "at the next start" << true;
    }

    // One box tells what failed. Unless the edit was stored, it stays open as
    // typed with the balance as Edit left it; balance.kvd holds exactly what
    // it held before Edit (which writes nothing) until the next start settles it.
    void failedWriteIsTold()
    {
        QFETCH(int, failing);
        QFETCH(QString, told);
        QFETCH(bool, stored);
        auto recording = std::make_unique<RecordingMessageBox>();
        const QList<MessageBoxRequest> &shown = recording->shown;
        LedgerFixture f(std::move(recording));
        f.insert("Income", "('Sales', 100, '2024-01-02', 'D')");
        f.setBalance("300.00");
        f.click("cmdEdit2");
        if (failing < 0)
            f.folder.execute(DataFiles::income, "DELETE FROM Income"); // by another program
        else // the staged file's own rename comes first
            f.faults.failAt(Faults::Step(failing), failing == int(Faults::Step::Rename) ? 2 : 1);
        f.box("txtIncomeAmount")->setText("120");
        f.click("cmdSave2");
        f.faults.clear();
        QCOMPARE(shown.size(), 2); // the question of Edit, then the one box telling why
        QVERIFY2(shown.last().text.contains(told), qPrintable(shown.last().text));
        QCOMPARE(f.folder.bytes(DataFiles::balance), "300\r\n");
        QCOMPARE(texts(f.tab.get(), {"txtBalance", "txtIncomeAmount"}),
                 (QStringList{stored ? "320.00" : "200.00", stored ? "120.00" : "120"}));
        QCOMPARE(control(f.tab.get(), "cmdSave2")->isEnabled(), !stored);
        QString error;
        QVERIFY(BalanceJournal::settle(f.folder.folder(), &error));
        QCOMPARE(f.folder.bytes(DataFiles::balance), stored ? "320\r\n" : "300\r\n");
    }

    void stepsAfterAnUnfinishedOneKeepTheBooks_data()
    {
        QTest::addColumn<QStringList>("steps"); // "!": balance.kvd cannot be replaced in that step
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("file"); // after the next start has settled the notes
        QTest::newRow("Set after a Save left its note")
            << QStringList{"save income 50!", "set 500"} << "500" << "500.00";
        QTest::newRow("a Save after Set")
            << QStringList{"set 500", "save income 10"} << "510.00" << "510.00";
        QTest::newRow("Delete after a Save left its note")
            << QStringList{"save income 50!", "delete expense!"} << "390.00" << "390.00";
        QTest::newRow("Save while the other panel edits")
            << QStringList{"edit expense", "save income 50!"} << "390.00" << "350.00";
        QTest::newRow("Delete while the other panel edits")
            << QStringList{"edit income", "delete expense!"} << "240.00" << "340.00";
        QTest::newRow("the edit saved after them")
            << QStringList{"edit expense", "save income 50!", "save expense 30"} << "360.00" << "360.00";
    }

    // On a balance of 300 with an income of 100 and an expense of 40: what
    // balance.kvd holds at the next start is the balance of the stored rows,
    // never the one shown while an entry is out of it for its edit, and never
    // the note of an earlier step that did not finish.
    void stepsAfterAnUnfinishedOneKeepTheBooks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, shown);
        QFETCH(QString, file);
        LedgerFixture f(std::make_unique<RecordingMessageBox>());
        f.insert("Income", "('Sales', 100, '2024-01-02', 'D')");
        f.insert("Expense", "('Fuel', 40, '2024-01-03', '')");
        f.setBalance("300.00");
        for (QString step : steps) {
            if (step.endsWith('!')) // balance.kvd cannot take the staged file's place
                f.faults.failRenameOf(BalanceJournal::stagedPath(f.folder.folder()));
            step.remove('!');
            const QStringList words = step.split(' ');
            const QString table = words.value(1) == "income" ? "Income" : "Expense";
            if (words[0] == "set") {
                setThroughWindow(*f.tab, words[1]);
            } else if (words[0] == "save") {
                const LedgerPanel &panel = table == "Income" ? f.tab->income() : f.tab->expense();
                if (panel.entry().mode() != EntryMode::Editing)
                    f.click("cmdAdd" + suffix(table));
                f.type(table, "Tips", words[2]);
                f.click("cmdSave" + suffix(table));
            } else {
                f.click("cmd" + QString(words[0] == "edit" ? "Edit" : "Delete") + suffix(table));
            }
            f.faults.clear();
        }
        QCOMPARE(f.balance(), shown);
        QString error;
        QVERIFY(BalanceJournal::settle(f.folder.folder(), &error));
        QCOMPARE(balanceFile(f.folder), file);
    }

    void accessKeysKeepToTheMarkedPanel_data()
    {
        QTest::addColumn<QString>("focused"); // before the focus goes to Set; none: no panel yet
        QTest::addColumn<QString>("table");   // that Alt+N then adds to
        QTest::newRow("the first panel until then") << "" << "Income";
        QTest::newRow("the panel last focused") << "txtExpenseType" << "Expense";
    }

    // Alt+N from Set adds to the panel that last held the focus, and only that
    // panel is marked as the one the keys work.
    void accessKeysKeepToTheMarkedPanel()
    {
        QFETCH(QString, focused);
        QFETCH(QString, table);
        LedgerFixture f;
        if (!focused.isEmpty())
            f.box(focused)->setFocus();
        QWidget *set = control(f.tab.get(), "cmdSetBalance");
        set->setFocus();
        QTest::keyClick(set, Qt::Key_N, Qt::AltModifier);
        const QString other = table == "Income" ? "Expense" : "Income";
        QTRY_VERIFY(!f.box("txt" + table + "Amount")->isReadOnly());
        QVERIFY(f.box("txt" + other + "Amount")->isReadOnly());
        QVERIFY(control(f.tab.get(), "fra" + table)->property("keysHere").toBool());
        QVERIFY(!control(f.tab.get(), "fra" + other)->property("keysHere").toBool());
    }

    // Set opens one sign-in window at a time; what it signs in with is the balance shown.
    void setShowsSignedInBalance()
    {
        LedgerFixture f;
        f.click("cmdSetBalance");
        f.click("cmdSetBalance");
        QCOMPARE(f.tab->findChildren<frmLogin *>().size(), 1);
        QPointer<frmLogin> login = f.tab->findChild<frmLogin *>();
        box(login, "txtPassword")->setText(DataFolder::defaultPassword);
        box(login, "txtInputBalance")->setText("1234.5");
        click(login, "cmdOK");
        QTRY_VERIFY(!login);
        QCOMPARE(f.balance(), QStringLiteral("1234.5"));
        QCOMPARE(f.folder.bytes(DataFiles::balance), QByteArray("1234.5\r\n"));
        f.click("cmdSetBalance");
        click(f.tab->findChild<frmLogin *>(), "cmdChangePassword");
        QTRY_VERIFY(f.tab->findChild<frmChangePassword *>());
    }

    void balanceFollowsStoredEntries_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<bool>("onServer");
        for (unsigned seed = 1; seed <= 6; ++seed)
            QTest::addRow("%u, %s", seed, seed % 2 ? "folder" : "server") << seed << (seed % 2 == 0);
    }

    // A user's random session on both panels, valid and invalid input alike.
    void balanceFollowsStoredEntries()
    {
        QFETCH(unsigned, seed);
        QFETCH(bool, onServer);
        std::mt19937 random(seed);
        std::optional<PostgresServer> server;
        TempDataFolder moved;
        QString uri;
        if (onServer)
            uri = moveOntoServer(server.emplace(), moved);
        LedgerFixture f(std::make_unique<RandomAnswers>(random),
                        onServer ? std::optional(moved.folder().onServer(uri)) : std::nullopt);
        f.setBalance(QStringLiteral("250.00"));
        for (int step = 0; step < 300; ++step) {
            randomStep(f, random);
            const auto [stored, fromRows] = storedBooks(f, uri, 250.0);
            QCOMPARE(f.balance(), expectedBalance(f, fromRows));
            QCOMPARE(stored, NumberText::twoDecimals(NumberText::round15(fromRows)));
        }
    }

    // The program is stopped dead at each step of a Set, a Save, an Edit and
    // a Delete, and at random points of random sessions; the next start finds
    // balance.kvd as the committed rows say. Children run four at a time.
    void killedAnywhereRestartsRight()
    {
        struct Run {
            QStringList arguments; // seed, step, nth, when: a failure names the run by them
            TempDataFolder folder;
            QProcess child;
        };
        std::vector<std::unique_ptr<Run>> runs;
        const auto add = [&](unsigned seed, int step, int nth, int when) {
            runs.push_back(std::make_unique<Run>());
            for (const int n : {int(seed), step, nth, when})
                runs.back()->arguments << QString::number(n);
        };
        // The scripted session's Set syncs twice and renames once; each of its
        // four ledger changes syncs four times, renames twice and commits once.
        for (const auto &[step, count] : {std::pair{Faults::Step::Sync, 18},
                                          {Faults::Step::Rename, 9}, {Faults::Step::Commit, 4}})
            for (int nth = 1; nth <= count; ++nth)
                for (const int when : {0, 1})
                    add(0, int(step), nth, when);
        std::mt19937 random(7);
        for (unsigned seed = 1; seed <= 6; ++seed)
            add(seed, int(Faults::Step::Sync) + int(random() % 3), int(1 + random() % 20), int(random() % 2));
        for (std::size_t first = 0; first < runs.size(); first += 4) {
            const std::size_t last = std::min(first + 4, runs.size());
            for (std::size_t i = first; i < last; ++i)
                runs[i]->child.start(QCoreApplication::applicationFilePath(),
                                     QStringList{"--killed-session", runs[i]->folder.path()} +
                                         runs[i]->arguments);
            for (std::size_t i = first; i < last; ++i) {
                Run &run = *runs[i];
                QVERIFY2(run.child.waitForFinished(60000) &&
                             (run.child.exitCode() == 0 || run.child.exitCode() == PlannedFaults::exitCode),
                         qPrintable(run.arguments.join(' ') + ": " + run.child.readAllStandardError()));
                QString error;
                QVERIFY2(BalanceJournal::settle(run.folder.folder(), &error), qPrintable(error));
                const QString file = balanceFile(run.folder);
                const bool setUndone = run.folder.storedCount("Income") + run.folder.storedCount("Expense") == 0 &&
                                       file == "0.00"; // stopped before Set's rename
                QVERIFY2(setUndone || file == committedBalance(run.folder, 250.0),
                         qPrintable(run.arguments.join(' ') + ": balance.kvd holds " + file));
                QVERIFY(!QFile::exists(BalanceJournal::stagedPath(run.folder.folder())));
            }
        }
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 7 && QByteArray(argv[1]) == "--killed-session")
        return killedSession(QString::fromLocal8Bit(argv[2]), std::stoul(argv[3]), std::stoi(argv[4]),
                             std::stoi(argv[5]), std::stoi(argv[6]));
    tst_LedgerPanel test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_LedgerPanel.moc"
