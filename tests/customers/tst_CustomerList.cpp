#include "Controls.h"
#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "FixedClock.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "UsEnglish.h"
#include "frmCustomerList.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

// The Customers tab and the list beside it, on four customers.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FixedClock clock;
    std::unique_ptr<CustomerTab> tab;
    std::unique_ptr<frmCustomerList> list;

    Fixture()
    {
        folder.execute(DataFiles::customers,
                       "INSERT INTO Customers (Name, Address, City, Home, Cell, HisWork, HerWork, AmountPerVisit, "
                       "DateStarted, Active) VALUES "
                       "('adams', '1 Oak St', 'Tampa', '555-0100', '777-1001', NULL, NULL, 9.5, '2021-03-01', -1), "
                       "('Baker', '22 Elm Dr', NULL, '(813) 555-0199', NULL, '777-2002', NULL, 10, '2019-01-01', 0), "
                       "('Carter', 'Oak Ridge', 'Tampa', '444-0101', NULL, NULL, '777-3003', 100, '2020-06-15', -1), "
                       "('Émile', '3 Rue Haute', NULL, NULL, NULL, NULL, NULL, NULL, NULL, -1)");
        tab = std::make_unique<CustomerTab>(folder.folder(), messages, clock);
        tab->customers().open();
        list = std::make_unique<frmCustomerList>(tab->customers().recordset());
    }
    QTableView *view() const { return control<QTableView>(list.get(), "lstCustomers"); }
    QString counts() const { return control<QLabel>(list.get(), "lblListCount")->text(); }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < view()->model()->rowCount(); ++row)
            texts << view()->model()->index(row, column).data().toString();
        return texts;
    }
    void filter(const QString &text) const { box(list.get(), "txtListFilter")->setText(text); }
    void choose(const QString &text) const
    {
        filter(text);
        QTest::keyClick(box(list.get(), "txtListFilter"), Qt::Key_Return);
    }
};

} // namespace

class tst_CustomerList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    void filterNarrowsByNameAddressCityAndPhones_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("counts");
        QTest::newRow("nothing typed") << "" << QStringList{"adams", "Baker", "Carter", "Émile"} << "4 of 4 customers";
        QTest::newRow("name or address, any case") << "OAK" << QStringList{"adams", "Carter"} << "2 of 4 customers";
        QTest::newRow("home phone") << "0199" << QStringList{"Baker"} << "1 of 4 customers";
        QTest::newRow("cell phone") << "1001" << QStringList{"adams"} << "1 of 4 customers";
        QTest::newRow("his work phone") << "2002" << QStringList{"Baker"} << "1 of 4 customers";
        QTest::newRow("her work phone") << "3003" << QStringList{"Carter"} << "1 of 4 customers";
        QTest::newRow("every phone") << "777-" << QStringList{"adams", "Baker", "Carter"} << "3 of 4 customers";
        QTest::newRow("accented") << "émi" << QStringList{"Émile"} << "1 of 4 customers";
        QTest::newRow("none") << "zz" << QStringList{} << "0 of 4 customers";
        QTest::newRow("words in any order") << "oak ADAMS" << QStringList{"adams"} << "1 of 4 customers";
        QTest::newRow("a name and a city") << "tampa car" << QStringList{"Carter"} << "1 of 4 customers";
        QTest::newRow("a phone without its dashes") << "8135550199" << QStringList{"Baker"} << "1 of 4 customers";
        QTest::newRow("a phone written otherwise") << "813.555.0199" << QStringList{"Baker"} << "1 of 4 customers";
        QTest::newRow("a word found nowhere") << "tampa zz" << QStringList{} << "0 of 4 customers";
    }

    void filterNarrowsByNameAddressCityAndPhones()
    {
        QFETCH(QString, text);
        Fixture f;
        f.filter(text);
        QTEST(f.column(1), "names");
        QTEST(f.counts(), "counts");
    }

    void sortsByTheClickedColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("shown"); // that column, top to bottom
        QTest::newRow("name, descending") << 1 << Qt::DescendingOrder << QStringList{"Émile", "Carter", "Baker", "adams"};
        QTest::newRow("amount as a number") << 6 << Qt::AscendingOrder << QStringList{"", "9.50", "10.00", "100.00"};
        QTest::newRow("date started") << 9 << Qt::DescendingOrder << QStringList{"3/1/2021", "6/15/2020", "1/1/2019", ""};
        QTest::newRow("active") << 8 << Qt::AscendingOrder << QStringList{"Yes", "Yes", "Yes", "No"};
    }

    void sortsByTheClickedColumn()
    {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        Fixture f;
        f.view()->horizontalHeader()->setSortIndicator(column, order);
        QTEST(f.column(column), "shown");
        QCOMPARE(f.view()->model()->index(0, 6).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
    }

    void equalKeysKeepTheTabsOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::newRow("active") << 8 << Qt::AscendingOrder;
        QTest::newRow("active, descending") << 8 << Qt::DescendingOrder;
        QTest::newRow("schedule, all alike") << 5 << Qt::DescendingOrder;
    }

    // Among customers of equal value the list keeps the tab's order, by
    // name: many equal values, added in another order than their names'.
    void equalKeysKeepTheTabsOrder()
    {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        Fixture f;
        f.folder.execute(DataFiles::customers,
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) "
                         "INSERT INTO Customers (Name, Active) SELECT printf('C%04d', i * 7919 % 1200), "
                         "-(i % 3 = 0) FROM n");
        QVERIFY(f.tab->customers().refresh());
        QHash<QString, int> tabOrder;
        for (const QString &name : f.column(1))
            tabOrder.insert(name, int(tabOrder.size()));
        QCOMPARE(tabOrder.size(), 1204);
        f.view()->horizontalHeader()->setSortIndicator(column, order);
        const QStringList keys = f.column(column), names = f.column(1);
        for (qsizetype row = 1; row < names.size(); ++row)
            if (keys[row] == keys[row - 1])
                QVERIFY2(tabOrder[names[row - 1]] < tabOrder[names[row]], qPrintable(names[row]));
    }

    // Enter makes the customer the tab's, clearing a search that hides it;
    // the list follows a Save and a Delete; it is refused while adding.
    void choosingAndFollowingTheTab()
    {
        Fixture f;
        QSignalSpy chosen(f.list.get(), &frmCustomerList::customerChosen);
        f.choose("carter");
        QCOMPARE(chosen.size(), 1);
        QVERIFY(f.tab->showCustomer(chosen[0][0].value<qint64>()));
        QCOMPARE(box(f.tab.get(), "txtName")->text(), QStringLiteral("Carter"));

        f.tab->form().searchText->setText("baker");
        f.tab->cmdSearch_Click();
        f.choose("émile");
        QCOMPARE(chosen.size(), 2);
        QVERIFY(f.tab->showCustomer(chosen[1][0].value<qint64>()));
        QCOMPARE(box(f.tab.get(), "txtName")->text(), QStringLiteral("Émile"));

        f.filter("");
        click(f.tab.get(), "cmdAdd");
        QCOMPARE(f.counts(), QStringLiteral("4 of 4 customers"));
        f.messages.expect({"Save or cancel the customer you are adding or editing first.",
                           "Customer List", QMessageBox::Ok, QMessageBox::Information});
        QVERIFY(!f.tab->showCustomer(chosen[1][0].value<qint64>()));
        box(f.tab.get(), "txtName")->setText("Young");
        box(f.tab.get(), "txtVisitAmount")->setText("10");
        control<QComboBox>(f.tab.get(), "Combo1")->setEditText("Monthly");
        click(f.tab.get(), "cmdSave");
        QCOMPARE(f.counts(), QStringLiteral("5 of 5 customers"));
        QVERIFY(f.column(1).contains("Young"));
        f.messages.expect({"Are you sure you want to delete this account? The account cannot be restored!!",
                           "Delete File?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                           QMessageBox::Cancel});
        click(f.tab.get(), "cmdDelete");
        QCOMPARE(f.counts(), QStringLiteral("4 of 4 customers"));
        QVERIFY(!f.column(1).contains("Young"));
    }
};

QTEST_MAIN(tst_CustomerList)
#include "tst_CustomerList.moc"
