#include "Controls.h"
#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DateText.h"
#include "MonthlyAmount.h"
#include "NumberText.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"

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
        tab = std::make_unique<CustomerTab>(folder.folder(), messages);
        tab->customers().open();
        showActive(tab.get());
    }
    QString text(const char *name) const { return box(tab.get(), name)->text(); }
    void navigate(const char *button) const { click(tab->findChild<DataControl *>(), button); }
    // The enabled flags of New, Save, Edit, Search, Clear and Delete, as 0 and 1.
    QString buttons() const
    {
        QString flags;
        for (const char *button : {"cmdAdd", "cmdSave", "cmdEdit", "cmdSearch", "cmdClear", "cmdDelete"})
            flags += control<QPushButton>(tab.get(), button)->isEnabled() ? u'1' : u'0';
        return flags;
    }
    void fill(const QString &name, const QString &amount, const QString &schedule) const
    {
        box(tab.get(), "txtName")->setText(name);
        box(tab.get(), "txtVisitAmount")->setText(amount);
        control<QComboBox>(tab.get(), "Combo1")->setEditText(schedule);
    }
    QVariant stored(const QString &field, const QString &name) const
    {
        return folder.value(DataFiles::customers,
                            QStringLiteral("SELECT %1 FROM Customers WHERE Name = '%2'").arg(field, name));
    }
};

} // namespace

class tst_CustomerTab : public QObject
{
    Q_OBJECT
private slots:
    void newEditSaveStoresWhatIsTyped();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void monthlyAmount_data();
    void monthlyAmount();
    void refusedUpdateKeepsEverythingTyped();
    void navigatingInEntryDropsUnsavedRecord();
    void search_data();
    void search();
    void searchNarrowsUntilClear();
    void totalShowsHighestAccount();
};

void tst_CustomerTab::newEditSaveStoresWhatIsTyped()
{
    Fixture f({QStringLiteral("Baker")});
    // New with a record on screen fills in today and Florida.
    click(f.tab.get(), "cmdAdd");
    QCOMPARE(f.text("txtDateStarted"), DateText::toShort(QDate::currentDate()));
    QCOMPARE(f.text("txtState"), QStringLiteral("Florida"));
    QVERIFY(f.text("txtAddress").isEmpty() && f.text("txtAccountNumber").isEmpty());
    f.fill(QStringLiteral("Adams"), QStringLiteral("30"), QStringLiteral("Monthly"));
    box(f.tab.get(), "txtDateStarted")->setText(QStringLiteral("3/15/04"));
    control<QCheckBox>(f.tab.get(), "Check1")->setChecked(true);
    click(f.tab.get(), "cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("101111"));
    QCOMPARE(f.text("txtDateStarted"), QStringLiteral("3/15/2004"));
    QCOMPARE(f.stored("DateStarted", "Adams").toString(), QStringLiteral("2004-03-15"));
    QCOMPARE(f.stored("Active", "Adams").toInt(), -1);
    QCOMPARE(f.stored("State", "Adams").toString(), QStringLiteral("Florida"));
    QCOMPARE(f.text("txtName"), QStringLiteral("Adams"));
    QCOMPARE(f.text("txtAccountNumber"), QStringLiteral("2"));

    f.messages.expect(Boxes::confirmEdit, QMessageBox::Ok);
    click(f.tab.get(), "cmdEdit");
    box(f.tab.get(), "txtCity")->setText(QStringLiteral("Tampa"));
    click(f.tab.get(), "cmdSave");
    QCOMPARE(f.stored("City", "Adams").toString(), QStringLiteral("Tampa"));
    QCOMPARE(focused(), QStringLiteral("txtName"));
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("schedule");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no date") << "" << "" << "" << "You need to enter a start date!"
                             << "Invalid Start Date" << "txtDateStarted";
    QTest::newRow("no such day") << "2/30/2004" << "Monthly" << "5"
                                 << "You need to enter a start date!" << "Invalid Start Date"
                                 << "txtDateStarted";
    QTest::newRow("no schedule") << "1/1/2004" << "" << "" << "You need to enter a schedule!"
                                 << "Invalid Schedule" << "Combo1";
    QTest::newRow("no amount") << "1/1/2004" << "Monthly" << ""
                               << "You need to enter an amount per visit!" << "Invalid Visit Amount"
                               << "txtVisitAmount";
}

// A name of blanks passes; each later check stops Save, the record still unsaved.
void tst_CustomerTab::saveChecksInOrder()
{
    QFETCH(QString, date);
    QFETCH(QString, schedule);
    QFETCH(QString, amount);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    Fixture f({QStringLiteral("Baker")});
    click(f.tab.get(), "cmdAdd");
    f.fill(QStringLiteral(" "), amount, schedule);
    box(f.tab.get(), "txtDateStarted")->setText(date);
    f.messages.expect({text, title});
    click(f.tab.get(), "cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(focused(), focus);
    QVERIFY(f.tab->customers().recordset().isNew());
    QCOMPARE(f.folder.value(DataFiles::customers, "SELECT count(*) FROM Customers").toInt(), 1);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::monthlyAmount_data()
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
}

// The rule, then Save through the tab: the box and the table hold it. An
// amount per visit that the table refuses is the rule's alone.
void tst_CustomerTab::monthlyAmount()
{
    QFETCH(QString, amount);
    QFETCH(QString, schedule);
    QFETCH(QVariant, monthly);
    const auto rule = MonthlyAmount::of(amount, schedule);
    QCOMPARE(rule.has_value(), !monthly.isNull());
    if (rule)
        QCOMPARE(*rule, monthly.toDouble());
    if (!NumberText::readPlain(amount))
        return;

    Fixture f({QStringLiteral("Baker")});
    click(f.tab.get(), "cmdAdd");
    f.fill(QStringLiteral("Adams"), amount, schedule);
    click(f.tab.get(), "cmdSave");
    VERIFY_MESSAGES(f.messages);
    QCOMPARE(f.text("txtMonthlyAmount"),
             monthly.isNull() ? QString() : NumberText::twoDecimals(monthly.toDouble()));
    const QVariant stored = f.stored("AmountMonthly", "Adams");
    QCOMPARE(stored.isNull(), monthly.isNull());
    QCOMPARE(stored.toDouble(), monthly.toDouble());
}

void tst_CustomerTab::refusedUpdateKeepsEverythingTyped()
{
    Fixture f({QStringLiteral("Baker")});
    click(f.tab.get(), "cmdAdd");
    f.fill(QStringLiteral("Adams"), QStringLiteral("abc"), QStringLiteral("Monthly"));
    f.messages.expect({"The record could not be stored in Customers.mdb. Nothing was changed.\n\n"
                       "AmountPerVisit: \"abc\" is not an amount.",
                       "Bramblewood", QMessageBox::Ok, QMessageBox::Warning});
    click(f.tab.get(), "cmdSave");
    QCOMPARE(f.text("txtMonthlyAmount"), QStringLiteral("0")); // letters count as 0 per visit
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(f.text("txtName"), QStringLiteral("Adams"));
    QCOMPARE(f.text("txtVisitAmount"), QStringLiteral("abc"));
    box(f.tab.get(), "txtVisitAmount")->setText(QStringLiteral("12"));
    click(f.tab.get(), "cmdSave");
    QCOMPARE(f.stored("AmountPerVisit", "Adams").toDouble(), 12.0);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::navigatingInEntryDropsUnsavedRecord()
{
    Fixture f({QStringLiteral("Adams"), QStringLiteral("Baker")});
    click(f.tab.get(), "cmdAdd");
    f.fill(QStringLiteral("Never Stored"), QStringLiteral("5"), QStringLiteral("Monthly"));
    f.navigate("cmdFirst");
    QCOMPARE(f.text("txtName"), QStringLiteral("Adams"));
    QCOMPARE(f.buttons(), QStringLiteral("010001")); // moving changes no button
    QVERIFY(f.stored("Name", "Never Stored").isNull());
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 2);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::search_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("visible");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<QString>("focus");
    const QString none = "No results found in search!";
    QTest::newRow("name, letter case aside") << "Option1" << "MIT" << "Goldsmith" << 2 << "" << "txtName";
    QTest::newRow("apostrophe") << "Option1" << "o'n" << "O'neil" << 1 << "" << "txtName";
    QTest::newRow("address") << "Option2" << "11 main" << "Smith" << 1 << "" << "txtName";
    QTest::newRow("phone in HerWork only") << "Option3" << "867-5309" << "Jones" << 1 << "" << "txtName";
    QTest::newRow("name is not a phone") << "Option3" << "Smith" << "Jones" << 4 << none << "txtName";
    QTest::newRow("wildcards are literal") << "Option1" << "zzz'%*_" << "Jones" << 4 << none << "txtName";
    QTest::newRow("empty box") << "Option1" << "" << "Jones" << 4
                               << "You must type something in the search box." << "txtSearch";
}

// A search that finds nothing keeps the customer that was shown; New stays off until Clear.
void tst_CustomerTab::search()
{
    QFETCH(QString, option);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, visible);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Fixture f({QStringLiteral("Jones"), QStringLiteral("Smith"), QStringLiteral("Goldsmith"),
               QStringLiteral("O'neil")});
    f.folder.execute(DataFiles::customers,
                     "UPDATE Customers SET HerWork = '867-5309' WHERE Name = 'Jones'");
    f.navigate("cmdNext");
    control<QRadioButton>(f.tab.get(), option)->setChecked(true);
    box(f.tab.get(), "txtSearch")->setText(text);
    if (message == QLatin1String("No results found in search!"))
        f.messages.expect({message, "No File Found!", QMessageBox::Ok, QMessageBox::Information});
    else if (!message.isEmpty())
        f.messages.expect({message, "No Search Criteria!", QMessageBox::Ok, QMessageBox::Information});
    click(f.tab.get(), "cmdSearch");
    QCOMPARE(f.text("txtName"), shown);
    QCOMPARE(f.tab->customers().recordset().visibleCount(), visible);
    QCOMPARE(f.buttons(), QStringLiteral("011111"));
    QCOMPARE(focused(), focus);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::searchNarrowsUntilClear()
{
    Fixture f({QStringLiteral("Jones"), QStringLiteral("Smith"), QStringLiteral("Goldsmith")});
    box(f.tab.get(), "txtSearch")->setText(QStringLiteral("smith"));
    click(f.tab.get(), "cmdSearch");
    f.navigate("cmdNext");
    QCOMPARE(f.text("txtName"), QStringLiteral("Smith"));
    f.navigate("cmdNext");
    QCOMPARE(f.text("txtName"), QStringLiteral("Smith")); // the last match, not Jones
    click(f.tab.get(), "cmdClear");
    QCOMPARE(f.buttons(), QStringLiteral("111111"));
    QVERIFY(f.text("txtSearch").isEmpty());
    QCOMPARE(focused(), QStringLiteral("txtSearch"));
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 3);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::totalShowsHighestAccount()
{
    Fixture f;
    f.messages.expect({"No records on file.", "Empty file", QMessageBox::Ok, QMessageBox::Information});
    click(f.tab.get(), "cmdTotal");
    QVERIFY(control<QLabel>(f.tab.get(), "lblTotal")->text().isEmpty());
    f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES "
                                           "('C1'), ('C2'), ('C3'), ('C4'), ('C5')");
    f.folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account IN (3, 4)");
    click(f.tab.get(), "cmdTotal");
    QCOMPARE(control<QLabel>(f.tab.get(), "lblTotal")->text(), QStringLiteral("5"));
    VERIFY_MESSAGES(f.messages);
}

QTEST_MAIN(tst_CustomerTab)
#include "tst_CustomerTab.moc"
