#include "DataFiles.h"
#include "LedgerFixture.h"
#include "NumberText.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QDir>
#include <QPointer>
#include <QTest>

namespace {

MessageBoxRequest emptyName(const QString &noun)
{
    return {QStringLiteral("You need to enter a name for the %1!").arg(noun), "Empty Name",
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, QMessageBox::Ok};
}

MessageBoxRequest confirmDelete(const QString &noun)
{
    return {QStringLiteral("Are you sure you want to delete this %1? The information cannot be "
                           "restored!!")
                .arg(noun),
            "Delete File?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
            QMessageBox::Cancel};
}

} // namespace

class tst_LedgerPanel : public QObject
{
    Q_OBJECT
private slots:
    void newLocksOtherPanelAndNavigation_data();
    void newLocksOtherPanelAndNavigation();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void saveMovesBalanceAndWritesFile_data();
    void saveMovesBalanceAndWritesFile();
    void editTakesOldAmountOutAndSavePutsNewIn();
    void cancelAtEmptyNameRestoresBalance();
    void deleteInEachState();
    void failedStoreLeavesBalanceFile_data();
    void failedStoreLeavesBalanceFile();
    void setShowsSignedInBalance();
};

void tst_LedgerPanel::newLocksOtherPanelAndNavigation_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("invoice");
    QTest::newRow("income") << "Income" << "Expense" << "Deposit";
    QTest::newRow("expense") << "Expense" << "Income" << "";
}

// New on one panel while the other is adding takes the other's boxes too.
void tst_LedgerPanel::newLocksOtherPanelAndNavigation()
{
    QFETCH(QString, table);
    QFETCH(QString, other);
    QFETCH(QString, invoice);
    const auto suffix = [](const QString &t) { return t == "Income" ? QString("2") : QString("3"); };
    LedgerFixture f;
    f.click("cmdAdd" + suffix(other));
    QVERIFY(!f.box("txt" + other + "Amount")->isReadOnly());
    f.click("cmdAdd" + suffix(table));
    QCOMPARE(f.box("txt" + table + "Invoice")->text(), invoice);
    QCOMPARE(focused(), "txt" + table + "Type");
    for (const char *field : {"Amount", "Date", "Invoice"}) {
        QVERIFY(!f.box("txt" + table + field)->isReadOnly());
        QVERIFY(f.box("txt" + other + field)->isReadOnly());
    }
    QVERIFY(!f.box("txt" + other + "Type")->isReadOnly());
    QVERIFY(!control(f.tab.get(), "Adodc" + suffix(table))->isEnabled());
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    const QString badAmount = "You need to enter an amount for this expense!";
    const QString badDate = "You need to enter a valid date for this expense!";
    QTest::newRow("letters") << "Fuel" << "abc" << "" << badAmount << "Invalid Amount"
                             << "txtExpenseAmount";
    QTest::newRow("empty amount") << "Fuel" << "" << "" << badAmount << "Invalid Amount"
                                  << "txtExpenseAmount";
    QTest::newRow("group separator") << "Fuel" << "1,250.00" << "1/1/2024" << badAmount
                                     << "Invalid Amount" << "txtExpenseAmount";
    QTest::newRow("dollar sign") << "Fuel" << "$5" << "1/1/2024" << badAmount << "Invalid Amount"
                                 << "txtExpenseAmount";
    QTest::newRow("no such day") << "Fuel" << "5" << "2/30/2004" << badDate << "Invalid Date"
                                 << "txtExpenseDate";
    QTest::newRow("empty date") << " " << "5" << "" << badDate << "Invalid Date" << "txtExpenseDate";
}

// Nothing moves: not the balance, not its file, not the table.
void tst_LedgerPanel::saveChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, amount);
    QFETCH(QString, date);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    LedgerFixture f;
    f.setBalance("10.00");
    const QByteArray file = f.folder.bytes(DataFiles::balance);
    f.click("cmdAdd3");
    f.type("Expense", name, amount, date);
    f.script().expect({text, title});
    f.click("cmdSave3");
    QCOMPARE(focused(), focus);
    QVERIFY(control<QPushButton>(f.tab.get(), "cmdSave3")->isEnabled());
    QCOMPARE(f.balance(), QStringLiteral("10.00"));
    QCOMPARE(f.folder.bytes(DataFiles::balance), file);
    QCOMPARE(f.folder.storedCount("Expense"), 0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::saveMovesBalanceAndWritesFile_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("income") << "Income" << "2" << "100.00" << "12.5" << "112.50"
                            << QByteArray("112.5\r\n");
    QTest::newRow("expense") << "Expense" << "3" << "10.00" << "25" << "-15.00"
                             << QByteArray("-15\r\n");
    QTest::newRow("after Set") << "Income" << "2" << "500" << "0.1" << "500.10"
                               << QByteArray("500.1\r\n");
}

void tst_LedgerPanel::saveMovesBalanceAndWritesFile()
{
    QFETCH(QString, table);
    QFETCH(QString, suffix);
    QFETCH(QString, before);
    QFETCH(QString, amount);
    QFETCH(QString, shown);
    QFETCH(QByteArray, file);
    LedgerFixture f;
    f.setBalance(before);
    f.click("cmdAdd" + suffix);
    f.type(table, QStringLiteral(" "), amount); // a name of one blank passes
    f.click("cmdSave" + suffix);
    QCOMPARE(f.balance(), shown);
    QCOMPARE(f.folder.bytes(DataFiles::balance), file);
    QCOMPARE(f.box("txt" + table + "Amount")->text(), NumberText::twoDecimals(amount.toDouble()));
    QVERIFY(f.box("txt" + table + "Amount")->isReadOnly());
    QVERIFY(control(f.tab.get(), "Adodc" + suffix)->isEnabled());
    QCOMPARE(f.folder.storedSum(table), amount.toDouble());
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::editTakesOldAmountOutAndSavePutsNewIn()
{
    LedgerFixture f;
    f.insert("Income", "('Sales', 100, '2024-01-02', 'D')");
    f.setBalance("300.00");
    const QByteArray file = f.folder.bytes(DataFiles::balance);
    f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
    f.click("cmdEdit2");
    QCOMPARE(f.balance(), QStringLiteral("200.00"));
    QCOMPARE(f.folder.bytes(DataFiles::balance), file); // not written by Edit
    f.box("txtIncomeAmount")->setText("120.00");
    f.click("cmdSave2");
    QCOMPARE(f.balance(), QStringLiteral("320.00"));
    QCOMPARE(f.folder.storedSum("Income"), 120.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::cancelAtEmptyNameRestoresBalance()
{
    LedgerFixture f;
    f.insert("Expense", "('Fuel', 40, '2024-01-02', '1'), ('Rent', 900, '2024-01-03', '2')");
    f.setBalance("1000.00");
    f.navigate("Expense", "cmdLast");
    f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
    f.click("cmdEdit3");
    QCOMPARE(f.balance(), QStringLiteral("1900.00"));
    f.box("txtExpenseType")->clear();
    f.box("txtExpenseAmount")->setText("5");
    f.script().expect(emptyName("expense"), QMessageBox::Cancel);
    f.click("cmdSave3");
    QCOMPARE(f.balance(), QStringLiteral("1000.00"));
    QCOMPARE(f.box("txtExpenseType")->text(), QStringLiteral("Fuel")); // the first, read afresh
    QCOMPARE(f.folder.storedSum("Expense"), 940.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::deleteInEachState()
{
    LedgerFixture f;
    f.insert("Income", "('A', 10, '2024-01-02', ''), ('B', 20, '2024-01-03', ''), "
                       "('C', 40, '2024-01-04', '')");
    f.setBalance("70.00");
    // Browsing: the entry's amount leaves the balance.
    f.navigate("Income", "cmdLast");
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.click("cmdDelete2");
    QCOMPARE(f.balance(), QStringLiteral("30.00"));
    // Adding: the unsaved row goes, the balance stays.
    f.click("cmdAdd2");
    f.type("Income", "New", "99");
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.click("cmdDelete2");
    QCOMPARE(f.balance(), QStringLiteral("30.00"));
    QVERIFY(!control<QPushButton>(f.tab.get(), "cmdSave2")->isEnabled());
    QCOMPARE(f.folder.storedCount("Income"), 2);
    // Editing: the amount is out already and is not taken out twice.
    f.navigate("Income", "cmdFirst");
    f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
    f.click("cmdEdit2");
    QCOMPARE(f.balance(), QStringLiteral("20.00"));
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.click("cmdDelete2");
    QCOMPARE(f.balance(), QStringLiteral("20.00"));
    QCOMPARE(f.folder.storedSum("Income"), 20.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::failedStoreLeavesBalanceFile_data()
{
    QTest::addColumn<bool>("fileInTheWay");
    QTest::addColumn<QString>("told");
    QTest::newRow("balance.kvd cannot be written") << true << "The balance could not be saved";
    QTest::newRow("the table refuses the entry") << false << "could not be stored in Income.mdb";
}

// Whichever write fails, balance.kvd holds exactly what it held, and the
// entry stays open as typed with the balance as it was.
void tst_LedgerPanel::failedStoreLeavesBalanceFile()
{
    QFETCH(bool, fileInTheWay);
    QFETCH(QString, told);
    LedgerFixture f;
    f.insert("Income", "('Sales', 100, '2024-01-02', 'D')");
    f.folder.writeBytes(DataFiles::balance, "300.00\r\n"); // as the exit writes it
    f.setBalance("300.00");
    f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
    f.click("cmdEdit2");
    if (fileInTheWay) {
        QFile::remove(f.folder.filePath(DataFiles::balance));
        QDir(f.folder.path()).mkdir(DataFiles::balance);
    } else {
        f.folder.execute(DataFiles::income, "DELETE FROM Income"); // by another program
    }
    const QByteArray file = f.folder.bytes(DataFiles::balance);
    f.box("txtIncomeAmount")->setText("120");
    f.click("cmdSave2");
    const QStringList problems = f.script().problems();
    QCOMPARE(problems.size(), 1); // the one box telling why
    QVERIFY2(problems.first().contains(told), qPrintable(problems.first()));
    QCOMPARE(f.folder.bytes(DataFiles::balance), file);
    QCOMPARE(f.balance(), QStringLiteral("200.00"));
    QVERIFY(control<QPushButton>(f.tab.get(), "cmdSave2")->isEnabled());
    QCOMPARE(f.box("txtIncomeAmount")->text(), QStringLiteral("120"));
}

// Set opens one sign-in window at a time; what it signs in with is the balance shown.
void tst_LedgerPanel::setShowsSignedInBalance()
{
    LedgerFixture f;
    f.setBalance("10.00");
    f.click("cmdSetBalance");
    f.click("cmdSetBalance");
    QCOMPARE(f.tab->findChildren<frmLogin *>().size(), 1);
    QPointer<frmLogin> login = f.tab->findChild<frmLogin *>();
    box(login, "txtPassword")->setText(DataFolder::defaultPassword);
    box(login, "txtInputBalance")->setText("1234.5");
    click(login, "cmdOK");
    QTRY_VERIFY(!login);
    QCOMPARE(f.balance(), QStringLiteral("1234.5"));
    f.click("cmdSetBalance");
    click(f.tab->findChild<frmLogin *>(), "cmdChangePassword");
    QTRY_VERIFY(f.tab->findChild<frmChangePassword *>());
    VERIFY_MESSAGES(f.script());
}

QTEST_MAIN(tst_LedgerPanel)
#include "tst_LedgerPanel.moc"
