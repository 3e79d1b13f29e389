#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DateText.h"
#include "MonthlyAmount.h"
#include "NumberText.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const MessageBoxRequest emptyFile{"You must add a record.", "Empty file", QMessageBox::Ok,
                                  QMessageBox::Information};
const MessageBoxRequest confirmEdit{"Are you sure you want to edit this file?", "Edit File?",
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                                    QMessageBox::Cancel};
const MessageBoxRequest confirmDelete{
    "Are you sure you want to delete this account? The account cannot be restored!!",
    "Delete File?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, QMessageBox::Cancel};
const MessageBoxRequest emptyName{"You need to enter a name!", "Empty Name",
                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                                  QMessageBox::Ok};
const MessageBoxRequest noResults{"No results found in search!", "No File Found!", QMessageBox::Ok,
                                  QMessageBox::Information};

// The Customers tab on a data folder, shown and active so that focus moves can be seen.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    std::unique_ptr<CustomerTab> tab;

    explicit Fixture(const QStringList &names = {})
    {
        for (const QString &name : names)
            folder.execute(DataFiles::customers,
                           QStringLiteral("INSERT INTO Customers (Name, Address, Home, DateStarted, "
                                          "Schedule, AmountPerVisit) VALUES ('%1', '%2 Main St', "
                                          "'555-01%2', '2020-01-01', 'Monthly', 10)")
                               .arg(QString(name).replace(u'\'', QLatin1String("''")))
                               .arg(names.indexOf(name) + 10));
        tab = std::make_unique<CustomerTab>(messages);
        tab->customers().open();
        tab->show();
        QApplication::setActiveWindow(tab.get());
    }
    template <class T = QWidget> T *get(const char *name) const
    {
        auto *widget = tab->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit *box(const char *name) const { return get<QLineEdit>(name); }
    void click(const char *button) const { get<QPushButton>(button)->click(); }
    void navigate(const char *button) const { get<QToolButton>(button)->click(); }
    QString name() const { return box("txtName")->text(); }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // The enabled flags of New, Save, Edit, Search, Clear and Delete, as 0 and 1.
    QString buttons() const
    {
        QString flags;
        for (const char *button : {"cmdAdd", "cmdSave", "cmdEdit", "cmdSearch", "cmdClear", "cmdDelete"})
            flags += get<QPushButton>(button)->isEnabled() ? u'1' : u'0';
        return flags;
    }
    bool entryBoxesLocked(bool locked) const
    {
        for (const char *name : {"txtName", "txtAddress", "txtCity", "txtState", "txtZip", "txtHome",
                                 "txtCell", "txtHisWork", "txtHerWork", "txtDateStarted",
                                 "txtVisitAmount", "txtComments"})
            if (box(name)->isReadOnly() != locked)
                return false;
        return true;
    }
    void fill(const QString &name, const QString &amount, const QString &schedule) const
    {
        box("txtName")->setText(name);
        box("txtVisitAmount")->setText(amount);
        get<QComboBox>("Combo1")->setEditText(schedule);
    }
    QVariant stored(const QString &field, const QString &name) const
    {
        Recordset records(DataFiles::connectionString(DataFiles::customers),
                          QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC"));
        QString error;
        records.open(&error);
        records.setFilter({{QStringLiteral("Name")}, name});
        return records.field(field);
    }
};

} // namespace

class tst_CustomerTab : public QObject
{
    Q_OBJECT
private slots:
    void newOnEmptyTableLeavesDefaultsOut();
    void newEditSaveWalkTheStates();
    void cancelAtEmptyNameDropsNewRecord();
    void emptyTableGuards_data();
    void emptyTableGuards();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void monthlyAmountReadsLeadingNumber_data();
    void monthlyAmountReadsLeadingNumber();
    void monthlyAmountIsStored_data();
    void monthlyAmountIsStored();
    void refusedUpdateKeepsEverythingTyped();
    void deleteShowsNeighbourAndReenablesAfterSave();
    void navigatingInEntryDropsUnsavedRecord();
    void searchNarrowsUntilClear();
    void searchByPhoneAndAddress_data();
    void searchByPhoneAndAddress();
    void searchThatFindsNothingKeepsShownCustomer_data();
    void searchThatFindsNothingKeepsShownCustomer();
    void totalShowsHighestAccount();
};

void tst_CustomerTab::newOnEmptyTableLeavesDefaultsOut()
{
    Fixture f;
    f.click("cmdAdd");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QVERIFY(f.entryBoxesLocked(false));
    QVERIFY(f.box("txtDateStarted")->text().isEmpty());
    QVERIFY(f.box("txtState")->text().isEmpty());
    QCOMPARE(f.focused(), QStringLiteral("txtName"));
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::newEditSaveWalkTheStates()
{
    Fixture f({QStringLiteral("Baker")});
    // Opening state: everything enabled, only the name locked.
    QCOMPARE(f.buttons(), QStringLiteral("111111"));
    f.click("cmdAdd");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(f.box("txtDateStarted")->text(), DateText::toShort(QDate::currentDate()));
    QCOMPARE(f.box("txtState")->text(), QStringLiteral("Florida"));
    QVERIFY(f.box("txtAddress")->text().isEmpty());
    QVERIFY(f.box("txtAccountNumber")->text().isEmpty());
    f.fill(QStringLiteral("Adams"), QStringLiteral("30"), QStringLiteral("Monthly"));
    f.box("txtDateStarted")->setText(QStringLiteral("3/15/04"));
    f.get<QCheckBox>("Check1")->setChecked(true);
    f.click("cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("101111"));
    QCOMPARE(f.box("txtDateStarted")->text(), QStringLiteral("3/15/2004"));
    QCOMPARE(f.stored(QStringLiteral("DateStarted"), QStringLiteral("Adams")).toString(),
             QStringLiteral("2004-03-15"));
    QCOMPARE(f.stored(QStringLiteral("Active"), QStringLiteral("Adams")).toInt(), -1);
    QVERIFY(f.entryBoxesLocked(true));
    QCOMPARE(f.name(), QStringLiteral("Adams"));
    QCOMPARE(f.box("txtAccountNumber")->text(), QStringLiteral("2"));
    QCOMPARE(f.box("txtMonthlyAmount")->text(), QStringLiteral("30.00"));
    QCOMPARE(f.stored(QStringLiteral("State"), QStringLiteral("Adams")).toString(),
             QStringLiteral("Florida"));

    f.messages.expect(confirmEdit, QMessageBox::Cancel);
    f.click("cmdEdit");
    QCOMPARE(f.buttons(), QStringLiteral("101111"));
    f.messages.expect(confirmEdit, QMessageBox::Ok);
    f.click("cmdEdit");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    f.box("txtCity")->setText(QStringLiteral("Tampa"));
    f.click("cmdSave");
    QCOMPARE(f.stored(QStringLiteral("City"), QStringLiteral("Adams")).toString(),
             QStringLiteral("Tampa"));
    QCOMPARE(f.focused(), QStringLiteral("txtName"));
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::cancelAtEmptyNameDropsNewRecord()
{
    Fixture f({QStringLiteral("Baker"), QStringLiteral("Adams")});
    f.navigate("cmdLast");
    f.click("cmdAdd");
    f.box("txtCity")->setText(QStringLiteral("Typed"));
    f.messages.expect(emptyName, QMessageBox::Ok);
    f.click("cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(f.box("txtCity")->text(), QStringLiteral("Typed"));
    f.messages.expect(emptyName, QMessageBox::Cancel);
    f.click("cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("101111"));
    QVERIFY(f.entryBoxesLocked(true));
    QCOMPARE(f.name(), QStringLiteral("Adams")); // the table read afresh, first by name
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 2);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::emptyTableGuards_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("after"); // New, Save, Edit, Search, Clear, Delete
    QTest::newRow("Edit") << "cmdEdit" << "100001";
    QTest::newRow("Delete") << "cmdDelete" << "100000";
    QTest::newRow("Search") << "cmdSearch" << "100000";
}

void tst_CustomerTab::emptyTableGuards()
{
    QFETCH(QString, button);
    QFETCH(QString, after);
    Fixture f;
    f.box("txtSearch")->setText(QStringLiteral("x"));
    f.messages.expect(emptyFile);
    f.click(qPrintable(button));
    QCOMPARE(f.buttons(), after);
    QCOMPARE(f.focused(), QStringLiteral("txtName"));
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

void tst_CustomerTab::saveChecksInOrder()
{
    QFETCH(QString, date);
    QFETCH(QString, schedule);
    QFETCH(QString, amount);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    Fixture f({QStringLiteral("Baker")});
    f.click("cmdAdd");
    f.fill(QStringLiteral(" "), amount, schedule); // a name of blanks passes
    f.box("txtDateStarted")->setText(date);
    f.messages.expect({text, title});
    f.click("cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(f.focused(), focus);
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 2); // still unsaved
    QVERIFY(f.tab->customers().recordset().isNew());
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::monthlyAmountReadsLeadingNumber_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("schedule");
    QTest::addColumn<double>("expected");
    QTest::newRow("letters only, monthly") << "abc" << "Monthly" << 0.0;
    QTest::newRow("letters only, yearly") << "abc" << "Yearly" << 0.0;
    QTest::newRow("group separator") << "1,000" << "Monthly" << 1.0;
    QTest::newRow("dollar sign") << "$12" << "Monthly" << 0.0;
    QTest::newRow("decimals") << "12.50" << "Quarterly" << 12.5 * 4 / 12;
    QTest::newRow("bimonthly") << "12" << "BiMonthly" << 6.0;
    QTest::newRow("every 6 months") << "60" << "Every 6 Months" << 10.0;
    QTest::newRow("blanks") << " 1 2" << "Monthly" << 12.0;
}

void tst_CustomerTab::monthlyAmountReadsLeadingNumber()
{
    QFETCH(QString, amount);
    QFETCH(QString, schedule);
    QFETCH(double, expected);
    QCOMPARE(MonthlyAmount::of(amount, schedule).value(), expected);
}

void tst_CustomerTab::monthlyAmountIsStored_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("schedule");
    QTest::addColumn<QString>("shownAtSave");
    QTest::addColumn<QVariant>("stored"); // null: no amount
    QTest::newRow("quarterly 25") << "25" << "Quarterly" << "8.33333333333333"
                                  << QVariant(100.0 / 12);
    QTest::newRow("yearly 100") << "100" << "Yearly" << "8.33333333333333" << QVariant(100.0 / 12);
    QTest::newRow("monthly 19.99") << "19.99" << "Monthly" << "19.99" << QVariant(19.99);
    QTest::newRow("one shot") << "75" << "OneShot" << "0" << QVariant(0.0);
    QTest::newRow("weekly") << "10" << "Weekly" << "" << QVariant();
    QTest::newRow("small m") << "10" << "monthly" << "" << QVariant();
}

void tst_CustomerTab::monthlyAmountIsStored()
{
    QFETCH(QString, amount);
    QFETCH(QString, schedule);
    QFETCH(QString, shownAtSave);
    QFETCH(QVariant, stored);
    Fixture f({QStringLiteral("Baker")});
    f.click("cmdAdd");
    f.fill(QStringLiteral("Adams"), amount, schedule);
    const auto monthly = MonthlyAmount::of(amount, schedule);
    QCOMPARE(monthly ? NumberText::shortest(*monthly) : QString(), shownAtSave);
    f.click("cmdSave");
    VERIFY_MESSAGES(f.messages);
    const QVariant actual = f.stored(QStringLiteral("AmountMonthly"), QStringLiteral("Adams"));
    QCOMPARE(actual.isNull(), stored.isNull());
    if (!stored.isNull())
        QCOMPARE(actual.toDouble(), stored.toDouble());
}

void tst_CustomerTab::refusedUpdateKeepsEverythingTyped()
{
    Fixture f({QStringLiteral("Baker")});
    f.click("cmdAdd");
    f.fill(QStringLiteral("Adams"), QStringLiteral("abc"), QStringLiteral("Monthly"));
    f.messages.expect({"The record could not be stored in Customers.mdb. Nothing was changed.\n\n"
                       "AmountPerVisit: \"abc\" is not an amount.",
                       "Bramblewood", QMessageBox::Ok, QMessageBox::Warning});
    f.click("cmdSave");
    // Letters only count as 0 per visit.
    QCOMPARE(f.box("txtMonthlyAmount")->text(), QStringLiteral("0"));
    QCOMPARE(f.buttons(), QStringLiteral("010001"));
    QCOMPARE(f.name(), QStringLiteral("Adams"));
    QCOMPARE(f.box("txtVisitAmount")->text(), QStringLiteral("abc"));
    f.box("txtVisitAmount")->setText(QStringLiteral("12"));
    f.click("cmdSave");
    QCOMPARE(f.stored(QStringLiteral("AmountPerVisit"), QStringLiteral("Adams")).toDouble(), 12.0);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::deleteShowsNeighbourAndReenablesAfterSave()
{
    Fixture f({QStringLiteral("Adams"), QStringLiteral("Baker"), QStringLiteral("Carter")});
    f.navigate("cmdLast");
    f.messages.expect(confirmDelete, QMessageBox::Cancel);
    f.click("cmdDelete");
    QCOMPARE(f.name(), QStringLiteral("Carter"));
    f.messages.expect(confirmDelete, QMessageBox::Ok);
    f.click("cmdDelete");
    QCOMPARE(f.name(), QStringLiteral("Baker")); // the one before it
    f.navigate("cmdFirst");
    f.messages.expect(confirmDelete, QMessageBox::Ok);
    f.click("cmdDelete");
    QCOMPARE(f.name(), QStringLiteral("Baker")); // the new first
    f.messages.expect(confirmDelete, QMessageBox::Ok);
    f.click("cmdDelete");
    QVERIFY(f.name().isEmpty()); // the only one: no current record
    f.messages.expect(emptyFile);
    f.click("cmdDelete");
    QCOMPARE(f.buttons(), QStringLiteral("100000"));
    f.click("cmdAdd");
    f.fill(QStringLiteral("Dixon"), QStringLiteral("5"), QStringLiteral("Monthly"));
    f.box("txtDateStarted")->setText(QStringLiteral("1/1/2024"));
    f.click("cmdSave");
    QCOMPARE(f.buttons(), QStringLiteral("101111"));
    QCOMPARE(f.stored(QStringLiteral("Name"), QStringLiteral("Dixon")).toString(),
             QStringLiteral("Dixon"));
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::navigatingInEntryDropsUnsavedRecord()
{
    Fixture f({QStringLiteral("Adams"), QStringLiteral("Baker")});
    f.click("cmdAdd");
    f.fill(QStringLiteral("Never Stored"), QStringLiteral("5"), QStringLiteral("Monthly"));
    f.navigate("cmdFirst");
    QCOMPARE(f.name(), QStringLiteral("Adams"));
    QCOMPARE(f.buttons(), QStringLiteral("010001")); // moving changes no button
    QVERIFY(f.stored(QStringLiteral("Name"), QStringLiteral("Never Stored")).isNull());
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 2);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::searchNarrowsUntilClear()
{
    Fixture f({QStringLiteral("Jones"), QStringLiteral("Smith"), QStringLiteral("Goldsmith"),
               QStringLiteral("O'neil")});
    f.box("txtSearch")->setText(QStringLiteral("MIT"));
    f.click("cmdSearch");
    QCOMPARE(f.name(), QStringLiteral("Goldsmith"));
    QCOMPARE(f.focused(), QStringLiteral("txtName"));
    QCOMPARE(f.buttons(), QStringLiteral("011111"));
    f.navigate("cmdNext");
    QCOMPARE(f.name(), QStringLiteral("Smith"));
    f.navigate("cmdNext");
    QCOMPARE(f.name(), QStringLiteral("Smith")); // the last match, not Jones
    f.click("cmdClear");
    QCOMPARE(f.buttons(), QStringLiteral("111111"));
    QVERIFY(f.box("txtSearch")->text().isEmpty());
    QCOMPARE(f.focused(), QStringLiteral("txtSearch"));
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 4);

    f.box("txtSearch")->setText(QStringLiteral("o'n"));
    f.click("cmdSearch");
    QCOMPARE(f.name(), QStringLiteral("O'neil"));
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::searchByPhoneAndAddress_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    QTest::newRow("address") << "Option2" << "11 main" << "Smith";
    QTest::newRow("phone in HerWork only") << "Option3" << "867-5309" << "Jones";
    QTest::newRow("name is not a phone") << "Option3" << "Smith" << "";
}

void tst_CustomerTab::searchByPhoneAndAddress()
{
    QFETCH(QString, option);
    QFETCH(QString, text);
    QFETCH(QString, found);
    Fixture f({QStringLiteral("Jones"), QStringLiteral("Smith")});
    f.folder.execute(DataFiles::customers,
                     "UPDATE Customers SET HerWork = '867-5309' WHERE Name = 'Jones'");
    f.get<QRadioButton>(qPrintable(option))->setChecked(true);
    f.box("txtSearch")->setText(text);
    if (found.isEmpty())
        f.messages.expect(noResults);
    f.click("cmdSearch");
    QCOMPARE(f.name(), found.isEmpty() ? QStringLiteral("Jones") : found);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::searchThatFindsNothingKeepsShownCustomer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no match") << "zzz'%*_" << "No results found in search!" << "No File Found!"
                              << "txtName";
    QTest::newRow("empty box") << "" << "You must type something in the search box."
                               << "No Search Criteria!" << "txtSearch";
}

void tst_CustomerTab::searchThatFindsNothingKeepsShownCustomer()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    Fixture f({QStringLiteral("Adams"), QStringLiteral("Baker"), QStringLiteral("Carter")});
    f.navigate("cmdNext");
    f.box("txtSearch")->setText(text);
    f.messages.expect({message, title, QMessageBox::Ok, QMessageBox::Information});
    f.click("cmdSearch");
    QCOMPARE(f.name(), QStringLiteral("Baker"));
    QCOMPARE(f.tab->customers().recordset().visibleCount(), 3);
    QCOMPARE(f.buttons(), QStringLiteral("011111")); // New stays off until Clear
    QCOMPARE(f.focused(), focus);
    VERIFY_MESSAGES(f.messages);
}

void tst_CustomerTab::totalShowsHighestAccount()
{
    Fixture f;
    f.messages.expect({"No records on file.", "Empty file", QMessageBox::Ok, QMessageBox::Information});
    f.click("cmdTotal");
    QVERIFY(f.get<QLabel>("lblTotal")->text().isEmpty());
    for (int i = 1; i <= 5; ++i)
        f.folder.execute(DataFiles::customers,
                         QStringLiteral("INSERT INTO Customers (Name) VALUES ('C%1')").arg(i));
    f.folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account IN (3, 4)");
    f.click("cmdTotal");
    QCOMPARE(f.get<QLabel>("lblTotal")->text(), QStringLiteral("5"));
    VERIFY_MESSAGES(f.messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_CustomerTab)
#include "tst_CustomerTab.moc"
