#include "Controls.h"
#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DateText.h"
#include "FixedClock.h"
#include "MonthlyAmount.h"
#include "NumberText.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "UsEnglish.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

// The Customers tab on a data folder holding the named customers, shown and active.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FixedClock clock;
    std::unique_ptr<CustomerTab> tab;

    explicit Fixture(const QStringList &names = {})
    {
        for (qsizetype i = 0; i < names.size(); ++i)
            folder.execute(DataFiles::customers,
                           QStringLiteral("INSERT INTO Customers (Name, Address, Home, DateStarted, "
                                          "Schedule, AmountPerVisit) VALUES ('%1', '%2 Main St', "
                                          "'555-01%2', '2020-01-01', 'Monthly', 10)")
                               .arg(QString(names[i]).replace(u'\'', QLatin1String("''")))
                               .arg(i + 10));
        tab = std::make_unique<CustomerTab>(folder.folder(), messages, clock);
        tab->customers().open();
        showActive(tab.get());
    }
    QLineEdit *box(const char *name) const { return ::box(tab.get(), name); }
    void press(const char *button) const { click(tab.get(), button); }
    // The enabled flags of New, Save, Edit, Search, Clear and Delete.
    QString buttons() const
    {
        return enabledFlags(tab.get(), {"cmdAdd", "cmdSave", "cmdEdit", "cmdSearch", "cmdClear", "cmdDelete"});
    }
    void fill(const QString &name, const QString &amount, const QString &schedule) const
    {
        box("txtName")->setText(name);
        box("txtVisitAmount")->setText(amount);
        control<QComboBox>(tab.get(), "Combo1")->setEditText(schedule);
    }
    QVariant stored(const QString &field, const QString &name) const
    {
        return folder.value(DataFiles::customers,
                            QStringLiteral("SELECT %1 FROM Customers WHERE Name = '%2'").arg(field, name));
    }
};

struct Leave {
    QString press, amount, schedule, move, shown, adams;
    QMessageBox::StandardButton answer;
};

struct Search {
    QString option, text, shown;
    int visible;
    MessageBoxRequest told; // no text: nothing is told
    QString focus = QStringLiteral("txtName");
};

} // namespace

Q_DECLARE_METATYPE(Leave)
Q_DECLARE_METATYPE(Search)

class tst_CustomerTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    // New with a record on screen fills in today and Florida; Save stores the
    // date in its stored form and Active as -1; Edit stores a change; a paste cut short is told.
    // A record the table refuses stays on screen as typed, and moving, told No, drops it.
    void newEditSaveStoreWhatIsTyped()
    {
        Fixture f({QStringLiteral("Baker")});
        f.press("cmdAdd");
        QCOMPARE(texts(f.tab.get(), {"txtDateStarted", "txtState", "txtAddress", "txtAccountNumber"}),
                 (QStringList{DateText::toShort(f.clock.today()), "Florida", "", ""}));
        f.fill(QStringLiteral("Adams"), QStringLiteral("30"), QStringLiteral("Monthly"));
        f.box("txtDateStarted")->setText(QStringLiteral("3/15/50")); // in 2031, 2050
        control<QCheckBox>(f.tab.get(), "Check1")->setChecked(true);
        f.press("cmdSave");
        QCOMPARE(f.buttons(), QStringLiteral("101111"));
        QCOMPARE(texts(f.tab.get(), {"txtName", "txtAccountNumber", "txtDateStarted"}),
                 (QStringList{"Adams", "2", "3/15/2050"}));
        f.messages.expect(Boxes::confirmEdit, QMessageBox::Ok);
        f.press("cmdEdit");
        f.box("txtCity")->setText(QStringLiteral("Tampa"));
        f.messages.expect({"The comments can hold at most 100 characters. The rest of what was pasted or typed "
                           "was left out.", "Comments Too Long", QMessageBox::Ok, QMessageBox::Information});
        f.box("txtComments")->insert(QString(150, u'x')); // as a paste does
        f.press("cmdSave");
        QCOMPARE(f.stored("DateStarted || Active || State || City || Comments", "Adams").toString(),
                 "2050-03-15-1FloridaTampa" + QString(100, u'x'));
        QCOMPARE(focused(), QStringLiteral("txtName"));

        f.press("cmdAdd");
        const QString letters = "abc" + QString(40, u'x'); // quoted up to 40 characters
        f.fill(QStringLiteral("Carter"), letters, QStringLiteral("Monthly"));
        f.messages.expect({"The record could not be stored in Customers.mdb. Nothing was changed.\n\n"
                           "AmountPerVisit: \"" + letters.left(40) + "…\" is not an amount.",
                           "Bramblewood", QMessageBox::Ok, QMessageBox::Warning});
        f.press("cmdSave");
        QCOMPARE(f.buttons(), QStringLiteral("010001"));
        // Letters count as 0 per visit.
        QCOMPARE(texts(f.tab.get(), {"txtName", "txtVisitAmount", "txtMonthlyAmount"}),
                 (QStringList{"Carter", letters, "0"}));
        f.messages.expect(Boxes::saveChanges, QMessageBox::No);
        click(f.tab->findChild<DataControl *>(), "cmdFirst");
        QCOMPARE(f.box("txtName")->text(), QStringLiteral("Adams"));
        QCOMPARE(f.tab->customers().recordset().visibleCount(), 2);
    }

    void monthlyAmount_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("schedule");
        QTest::addColumn<QVariant>("monthly"); // null: no amount
        QTest::newRow("quarterly 25") << "25" << "Quarterly" << QVariant(100.0 / 12);
        QTest::newRow("yearly 100") << "100" << "Yearly" << QVariant(100.0 / 12);
        QTest::newRow("monthly 19.99") << "19.99" << "Monthly" << QVariant(19.99);
        QTest::newRow("bimonthly") << "12" << "BiMonthly" << QVariant(6.0);
        QTest::newRow("every 6 months") << "60" << "Every 6 Months" << QVariant(10.0);
        QTest::newRow("one shot") << "75" << "OneShot" << QVariant(0.0);
        QTest::newRow("weekly") << "10" << "Weekly" << QVariant();
        QTest::newRow("small m") << "10" << "monthly" << QVariant();
        QTest::newRow("blanks inside") << " 1 2" << "Monthly" << QVariant(12.0);
        QTest::newRow("group separator") << "1,000" << "Monthly" << QVariant(1.0);
        QTest::newRow("pasted no-break space") << "\u00a0100" << "Quarterly" << QVariant(400.0 / 12);
    }

    // The rule, then Save through the tab: the box and the table hold it. An
    // amount per visit that the table refuses is the rule's alone.
    void monthlyAmount()
    {
        QFETCH(QString, amount);
        QFETCH(QString, schedule);
        QFETCH(QVariant, monthly);
        const auto rule = MonthlyAmount::of(amount, schedule);
        QCOMPARE(rule.value_or(-1), monthly.isNull() ? -1 : monthly.toDouble());
        if (!NumberText::readPlain(amount))
            return;
        Fixture f({QStringLiteral("Baker")});
        f.press("cmdAdd");
        f.fill(QStringLiteral("Adams"), amount, schedule);
        f.press("cmdSave");
        QCOMPARE(f.box("txtMonthlyAmount")->text(),
                 monthly.isNull() ? QString() : NumberText::twoDecimals(monthly.toDouble()));
        const QVariant stored = f.stored("AmountMonthly", "Adams");
        QCOMPARE(stored.isNull(), monthly.isNull());
        QCOMPARE(stored.toDouble(), monthly.toDouble());
    }

    void leavingAsksAboutChanges_data()
    {
        QTest::addColumn<Leave>("leave");
        const auto yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("typed, saved") << Leave{"", "20", "Monthly", "cmdNext", "Baker", "20.0/0/Monthly", yes};
        QTest::newRow("Active, Search") << Leave{"Check1", "10.00", "Monthly", "cmdSearch", "Carter", "10.0/-1/Monthly", yes};
        QTest::newRow("schedule, Clear") << Leave{"", "10.00", "Yearly", "cmdClear", "Adams", "10.0/0/Monthly", no};
        QTest::newRow("Active, New") << Leave{"Check1", "10.00", "Monthly", "cmdAdd", "", "10.0/-1/Monthly", yes};
        QTest::newRow("new, Save refuses") << Leave{"cmdAdd", "5", "", "cmdLast", "Dunn", "10.0/0/Monthly", yes};
    }

    // Adams changed (or Dunn typed after New), a move: changes are saved or dropped; a refused Save keeps Dunn.
    void leavingAsksAboutChanges()
    {
        QFETCH(Leave, leave);
        Fixture f({QStringLiteral("Adams"), QStringLiteral("Baker"), QStringLiteral("Carter")});
        f.box("txtSearch")->setText(QStringLiteral("Carter"));
        if (!leave.press.isEmpty())
            click(f.tab.get(), leave.press);
        f.fill(leave.press == "cmdAdd" ? "Dunn" : "Adams", leave.amount, leave.schedule);
        f.messages.expect(Boxes::saveChanges, leave.answer);
        if (leave.schedule.isEmpty())
            f.messages.expect({"You need to enter a schedule!", "Invalid Schedule"});
        click(f.tab.get(), leave.move);
        QCOMPARE(f.box("txtName")->text(), leave.shown);
        QCOMPARE(f.stored("AmountPerVisit || '/' || Active || '/' || Schedule", "Adams").toString(), leave.adams);
    }

    void search_data()
    {
        QTest::addColumn<Search>("search");
        const MessageBoxRequest none{"No results found in search!", "No File Found!", QMessageBox::Ok,
                                     QMessageBox::Information};
        QTest::newRow("name, letter case aside") << Search{"Option1", "MIT", "Goldsmith", 2, {}};
        QTest::newRow("apostrophe") << Search{"Option1", "o'n", "O'neil", 1, {}};
        QTest::newRow("address") << Search{"Option2", "11 main", "Smith", 1, {}};
        QTest::newRow("phone in HerWork only") << Search{"Option3", "867-5309", "Jones", 1, {}};
        QTest::newRow("name is not a phone") << Search{"Option3", "Smith", "Jones", 4, none};
        QTest::newRow("percent is literal") << Search{"Option1", "%", "Jones", 4, none};
        QTest::newRow("underscore is literal") << Search{"Option1", "_", "Jones", 4, none};
        QTest::newRow("asterisk is literal") << Search{"Option2", "*", "Jones", 4, none};
        QTest::newRow("empty box")
            << Search{"Option1", "", "Jones", 4,
                      {"You must type something in the search box.", "No Search Criteria!",
                       QMessageBox::Ok, QMessageBox::Information},
                      "txtSearch"};
    }

    // A search that finds nothing keeps the customer that was shown; New stays off until Clear.
    void search()
    {
        QFETCH(Search, search);
        Fixture f({QStringLiteral("Jones"), QStringLiteral("Smith"), QStringLiteral("Goldsmith"),
                   QStringLiteral("O'neil")});
        f.folder.execute(DataFiles::customers,
                         "UPDATE Customers SET HerWork = '867-5309' WHERE Name = 'Jones'");
        click(f.tab->findChild<DataControl *>(), "cmdNext");
        control<QRadioButton>(f.tab.get(), search.option)->setChecked(true);
        f.box("txtSearch")->setText(search.text);
        if (!search.told.text.isEmpty())
            f.messages.expect(search.told);
        f.press("cmdSearch");
        QCOMPARE(f.box("txtName")->text(), search.shown);
        QCOMPARE(f.tab->customers().recordset().visibleCount(), search.visible);
        QCOMPARE(f.buttons(), QStringLiteral("011111"));
        QCOMPARE(focused(), search.focus);
        f.press("cmdClear");
        QCOMPARE(f.buttons(), QStringLiteral("111111"));
        QVERIFY(f.box("txtSearch")->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("txtSearch"));
        QCOMPARE(f.tab->customers().recordset().visibleCount(), 4);
    }

    // Search on an empty table is guarded as Delete is; Total shows the highest
    // account number, which the deleted ones do not lower.
    void emptyTableThenTotal()
    {
        Fixture f;
        f.box("txtSearch")->setText("x");
        f.messages.expect(Boxes::emptyFile);
        f.press("cmdSearch");
        QCOMPARE(f.buttons(), QStringLiteral("100000"));
        f.messages.expect(
            {"No records on file.", "Empty file", QMessageBox::Ok, QMessageBox::Information});
        f.press("cmdTotal");
        QVERIFY(control<QLabel>(f.tab.get(), "lblTotal")->text().isEmpty());
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES "
                                               "('C1'), ('C2'), ('C3'), ('C4'), ('C5')");
        f.folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account IN (3, 4)");
        f.press("cmdTotal");
        QCOMPARE(control<QLabel>(f.tab.get(), "lblTotal")->text(), QStringLiteral("5"));
    }
};

QTEST_MAIN(tst_CustomerTab)
#include "tst_CustomerTab.moc"
