#include "DataFiles.h"
#include "MainWindowFixture.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTest>

namespace {

// What tells the Customers tab and the two ledger panels apart in these tests.
struct Panel {
    QString table, suffix, name, date, rows, deleting, noName;
};

Panel panel(const QString &table)
{
    const QString ledgerRows = "VALUES ('A', 1, '2024-01-01', ''), ('B', 2, '2024-01-02', ''), "
                               "('C', 3, '2024-01-03', '')";
    const QString deleting = "Are you sure you want to delete this %1? The information cannot be restored!!";
    if (table == QLatin1String("Customers"))
        return {table, "", "txtName", "txtDateStarted",
                "(Name, DateStarted, Schedule, AmountPerVisit) VALUES ('A', '2020-01-01', 'Monthly', "
                "1), ('B', '2020-01-01', 'Monthly', 2), ('C', '2020-01-01', 'Monthly', 3)",
                "Are you sure you want to delete this account? The account cannot be restored!!",
                "You need to enter a name!"};
    const QString noun = table.toLower();
    return {table, table == QLatin1String("Income") ? "2" : "3", "txt" + table + "Type",
            "txt" + table + "Date", ledgerRows, deleting.arg(noun),
            QStringLiteral("You need to enter a name for the %1!").arg(noun)};
}

MessageBoxRequest question(const QString &text, const char *title, QMessageBox::StandardButton byDefault)
{
    return {text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, byDefault};
}

// One window, its tab showing the panel, the panel's table holding A, B and C when asked.
struct Fixture : MainWindowFixture {
    Panel p;

    Fixture(const QString &table, bool withRows) : p(panel(table))
    {
        if (withRows)
            folder.execute(table + ".mdb", QStringLiteral("INSERT INTO %1 %2").arg(table, p.rows));
        load();
        control<QTabWidget>(window.get(), "SSTab1")->setCurrentIndex(table == "Customers" ? 0 : 1);
        showActive(window.get());
    }
    QString button(const char *name) const { return QString::fromLatin1(name) + p.suffix; }
    void press(const char *name) const { click(window.get(), button(name)); }
    // The enabled flags of New, Save, Edit and Delete.
    QString buttons() const
    {
        return enabledFlags(window.get(), {button("cmdAdd"), button("cmdSave"), button("cmdEdit"),
                                           button("cmdDelete")});
    }
    QString shown() const { return text(p.name); }
    void navigate(const char *to) const
    {
        MainWindowFixture::navigate("Adodc" + (p.suffix.isEmpty() ? "1" : p.suffix), QString::fromLatin1(to));
    }
    // Types a record that Save takes, under the name given.
    void typeValid(const QString &name) const
    {
        type(p.name, name);
        type(p.date, "1/1/2024");
        type(p.table == "Customers" ? "txtVisitAmount" : "txt" + p.table + "Amount", "5");
        if (p.table == "Customers")
            type("Combo1", "Monthly");
    }
    // Types into a box, or into the schedule's edit line.
    void type(const QString &name, const QString &text) const
    {
        if (name == QLatin1String("Combo1"))
            control<QComboBox>(window.get(), name)->setEditText(text);
        else
            box(window.get(), name)->setText(text);
    }
    int stored() const { return folder.value(p.table + ".mdb", "SELECT count(*) FROM " + p.table).toInt(); }
};

void addPanels()
{
    QTest::addColumn<QString>("table");
    for (const char *table : {"Customers", "Income", "Expense"})
        QTest::newRow(table) << table;
}

struct SaveCheck {
    QString table;
    QStringList typed; // box, text, box, text...
    QString text, title, focus;
};

} // namespace

Q_DECLARE_METATYPE(SaveCheck)

class tst_EntryStates : public QObject
{
    Q_OBJECT
private slots:
    void saveChecksInOrder_data()
    {
        QTest::addColumn<SaveCheck>("check");
        const QString noDate = "You need to enter a start date!";
        const auto add = [](const char *tag, const SaveCheck &check) { QTest::newRow(tag) << check; };
        add("customer, nothing", {"Customers", {"txtDateStarted", "", "Combo1", "", "txtVisitAmount", ""},
                                  noDate, "Invalid Start Date", "txtDateStarted"});
        add("customer, no such day", {"Customers", {"txtDateStarted", "2/30/2004"}, noDate,
                                      "Invalid Start Date", "txtDateStarted"});
        add("customer, no schedule", {"Customers", {"Combo1", "", "txtVisitAmount", ""},
                                      "You need to enter a schedule!", "Invalid Schedule", "Combo1"});
        add("customer, no amount", {"Customers", {"txtVisitAmount", ""},
                                    "You need to enter an amount per visit!", "Invalid Visit Amount",
                                    "txtVisitAmount"});
        const QString noAmount = "You need to enter an amount for this expense!";
        const QString noValidDate = "You need to enter a valid date for this expense!";
        add("expense, letters", {"Expense", {"txtExpenseAmount", "abc", "txtExpenseDate", ""}, noAmount,
                                 "Invalid Amount", "txtExpenseAmount"});
        add("expense, group separator", {"Expense", {"txtExpenseAmount", "1,250.00"}, noAmount,
                                         "Invalid Amount", "txtExpenseAmount"});
        add("expense, no such day", {"Expense", {"txtExpenseDate", "2/30/2004"}, noValidDate,
                                     "Invalid Date", "txtExpenseDate"});
        add("income, empty date", {"Income", {"txtIncomeDate", ""},
                                   "You need to enter a valid date for this income!", "Invalid Date",
                                   "txtIncomeDate"});
        const QString toTheCent = "An amount can have at most two decimals and must lie between "
                                  "-1000000000000 and 1000000000000.";
        add("income, three decimals", {"Income", {"txtIncomeAmount", "0.005"}, toTheCent, "Invalid Amount",
                                       "txtIncomeAmount"});
        add("expense, beyond a trillion", {"Expense", {"txtExpenseAmount", "-1e308"}, toTheCent,
                                           "Invalid Amount", "txtExpenseAmount"});
    }

    // A name of blanks passes; each later check stops Save with the record
    // still being entered, and nothing moves: not the table, the balance or its file.
    void saveChecksInOrder()
    {
        QFETCH(SaveCheck, check);
        Fixture f(check.table, true);
        const QByteArray balanceFile = f.folder.bytes(DataFiles::balance);
        f.press("cmdAdd");
        f.typeValid(" ");
        for (qsizetype i = 0; i + 1 < check.typed.size(); i += 2)
            f.type(check.typed[i], check.typed[i + 1]);
        f.messages.expect({check.text, check.title});
        f.press("cmdSave");
        QCOMPARE(focused(), check.focus);
        QCOMPARE(f.buttons(), QStringLiteral("0101"));
        QCOMPARE(f.stored(), 3);
        QCOMPARE(f.text("txtBalance"), QStringLiteral("0.00"));
        QCOMPARE(f.folder.bytes(DataFiles::balance), balanceFile);
    }

    void deleteShowsNeighbourUntilEmpty_data() { addPanels(); }

    // The record before the deleted one is shown, or the new first. On the
    // empty table, Edit is guarded and leaves Delete on; Delete is guarded and
    // turns it off; New fills in no defaults, and the next stored record turns
    // Delete on again.
    void deleteShowsNeighbourUntilEmpty()
    {
        QFETCH(QString, table);
        Fixture f(table, true);
        f.navigate("cmdLast");
        f.messages.expect(question(f.p.deleting, "Delete File?", QMessageBox::Cancel), QMessageBox::Cancel);
        f.press("cmdDelete");
        QCOMPARE(f.shown(), QStringLiteral("C"));
        QStringList shown;
        for (const char *at : {"cmdLast", "cmdFirst", "cmdFirst"}) {
            f.navigate(at);
            f.messages.expect(question(f.p.deleting, "Delete File?", QMessageBox::Cancel), QMessageBox::Ok);
            f.press("cmdDelete");
            shown << f.shown();
        }
        QCOMPARE(shown, (QStringList{"B", "B", ""}));
        for (const char *button : {"cmdEdit", "cmdDelete"}) {
            f.messages.expect(Boxes::emptyFile);
            f.press(button);
            QCOMPARE(f.buttons(), button == QLatin1String("cmdEdit") ? "1001" : "1000");
            QCOMPARE(focused(), f.p.name);
        }
        f.press("cmdAdd");
        QCOMPARE(f.buttons(), QStringLiteral("0100"));
        QVERIFY(box(f.window.get(), f.p.date)->text().isEmpty());
        QCOMPARE(focused(), f.p.name);
        f.typeValid("D");
        f.press("cmdSave");
        QCOMPARE(f.buttons(), QStringLiteral("1011"));
        QVERIFY(box(f.window.get(), f.p.date)->isReadOnly());
        QCOMPARE(f.stored(), 1);
    }

    void emptyNameKeepsOrAbandonsEntry_data() { addPanels(); }

    // OK at the empty-name question goes on with what was typed; Cancel drops
    // the new record and shows the table read afresh from its first record.
    void emptyNameKeepsOrAbandonsEntry()
    {
        QFETCH(QString, table);
        Fixture f(table, true);
        f.navigate("cmdLast");
        f.press("cmdAdd");
        box(f.window.get(), f.p.date)->setText("Typed");
        f.messages.expect(question(f.p.noName, "Empty Name", QMessageBox::Ok), QMessageBox::Ok);
        f.press("cmdSave");
        QCOMPARE(f.buttons(), QStringLiteral("0101"));
        QCOMPARE(box(f.window.get(), f.p.date)->text(), QStringLiteral("Typed"));
        f.messages.expect(question(f.p.noName, "Empty Name", QMessageBox::Ok), QMessageBox::Cancel);
        f.press("cmdSave");
        QCOMPARE(f.buttons(), QStringLiteral("1011"));
        QVERIFY(box(f.window.get(), f.p.date)->isReadOnly());
        QCOMPARE(f.shown(), QStringLiteral("A"));
        QCOMPARE(f.stored(), 3);
    }

    void keysWorkTheFocusedPanel_data() { addPanels(); }

    // PageDown, Ctrl+End, PageUp and Ctrl+Home step as the bar does, and Esc
    // while browsing does nothing. The access keys answer in the panel that
    // has the focus. Esc gives up an entry as Cancel at "Empty Name" does: a
    // customer's typing is asked about first, an edited entry's amount goes
    // back into the balance.
    void keysWorkTheFocusedPanel()
    {
        QFETCH(QString, table);
        Fixture f(table, true);
        QWidget *name = box(f.window.get(), f.p.name);
        name->setFocus();
        const QString browsing = f.buttons();
        QStringList shown;
        for (const auto &[key, modifiers] : {std::pair(Qt::Key_PageDown, Qt::NoModifier),
                                             {Qt::Key_End, Qt::ControlModifier},
                                             {Qt::Key_PageUp, Qt::NoModifier},
                                             {Qt::Key_Home, Qt::ControlModifier},
                                             {Qt::Key_Escape, Qt::NoModifier}}) {
            QTest::keyClick(name, key, modifiers);
            shown << f.shown();
        }
        QCOMPARE(shown, (QStringList{"B", "C", "B", "A", "A"}));
        QCOMPARE(f.buttons(), browsing);
        QTest::keyClick(name, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(f.buttons(), QStringLiteral("0101"));
        f.typeValid("D");
        // While entering, the bar's rules hold: a customer's typing is asked
        // about before another is shown; a ledger panel's bar is off.
        const bool customers = table == "Customers";
        if (customers)
            f.messages.expect(Boxes::saveChanges, QMessageBox::No);
        QTest::keyClick(name, Qt::Key_PageDown);
        QCOMPARE(f.shown() == "D", !customers);
        f.type(f.p.name, "E");
        if (customers)
            f.messages.expect(Boxes::saveChanges, QMessageBox::No);
        QTest::keyClick(name, Qt::Key_Escape);
        QCOMPARE(f.shown() + f.buttons(), QStringLiteral("A1011"));
        QCOMPARE(f.stored(), 3);
        f.messages.expect(Boxes::confirmEdit);
        QTest::keyClick(name, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(f.buttons(), QStringLiteral("0101"));
        QTest::keyClick(name, Qt::Key_Escape);
        QCOMPARE(f.shown() + f.buttons() + f.text("txtBalance"), QStringLiteral("A10110.00"));
        QCOMPARE(focused(), f.p.name);
    }
};

QTEST_MAIN(tst_EntryStates)
#include "tst_EntryStates.moc"
