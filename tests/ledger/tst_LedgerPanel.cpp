#include "AutoCompleteBox.h"
#include "FakeLauncher.h"
#include "LedgerFixture.h"
#include "NumberText.h"
#include "TestMain.h"
#include "frmMain.h"

#include <QDir>

namespace {

MessageBoxRequest emptyName(const QString &noun)
{
    return {QStringLiteral("You need to enter a name for the %1!").arg(noun), "Empty Name",
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, QMessageBox::Ok};
}

const MessageBoxRequest confirmEdit{"Are you sure you want to edit this file?", "Edit File?",
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                                    QMessageBox::Cancel};

MessageBoxRequest confirmDelete(const QString &noun)
{
    return {QStringLiteral("Are you sure you want to delete this %1? The information cannot be "
                           "restored!!")
                .arg(noun),
            "Delete File?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
            QMessageBox::Cancel};
}

QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
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
    void deleteOfOnlyEntryThenGuardThenSaveReenables();
    void unwritableBalanceFileStoresNothing();
    void rememberedNamesSurviveRestart();
};

void tst_LedgerPanel::newLocksOtherPanelAndNavigation_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("invoice");
    QTest::newRow("income") << "Income" << "Expense" << "2" << "Deposit";
    QTest::newRow("expense") << "Expense" << "Income" << "3" << "";
}

void tst_LedgerPanel::newLocksOtherPanelAndNavigation()
{
    QFETCH(QString, table);
    QFETCH(QString, other);
    QFETCH(QString, suffix);
    QFETCH(QString, invoice);
    LedgerFixture f;
    f.button("cmdAdd" + suffix)->click();
    QCOMPARE(f.box("txt" + table + "Invoice")->text(), invoice);
    QVERIFY(f.box("txt" + table + "Amount")->text().isEmpty());
    QCOMPARE(focused(), "txt" + table + "Type");
    QVERIFY(!f.button("cmdAdd" + suffix)->isEnabled());
    QVERIFY(!f.button("cmdEdit" + suffix)->isEnabled());
    QVERIFY(f.button("cmdSave" + suffix)->isEnabled());
    for (const char *field : {"Amount", "Date", "Invoice"}) {
        QVERIFY(!f.box("txt" + table + field)->isReadOnly());
        QVERIFY(f.box("txt" + other + field)->isReadOnly());
    }
    QVERIFY(!f.box("txt" + other + "Type")->isReadOnly());
    QVERIFY(!f.tab->findChild<QWidget *>("Adodc" + suffix)->isEnabled());
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
    QTest::newRow("letters") << "Fuel" << "abc" << "" << badAmount << "Invalid Amount"
                             << "txtExpenseAmount";
    QTest::newRow("empty amount") << "Fuel" << "" << "" << badAmount << "Invalid Amount"
                                  << "txtExpenseAmount";
    QTest::newRow("group separator") << "Fuel" << "1,250.00" << "1/1/2024" << badAmount
                                     << "Invalid Amount" << "txtExpenseAmount";
    QTest::newRow("dollar sign") << "Fuel" << "$5" << "1/1/2024" << badAmount << "Invalid Amount"
                                 << "txtExpenseAmount";
    QTest::newRow("no such day") << "Fuel" << "5" << "2/30/2004"
                                 << "You need to enter a valid date for this expense!"
                                 << "Invalid Date" << "txtExpenseDate";
    QTest::newRow("empty date") << " " << "5" << ""
                                << "You need to enter a valid date for this expense!"
                                << "Invalid Date" << "txtExpenseDate";
}

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
    f.button("cmdAdd3")->click();
    f.type("Expense", name, amount, date);
    f.script().expect({text, title});
    f.button("cmdSave3")->click();
    QCOMPARE(focused(), focus);
    QVERIFY(f.button("cmdSave3")->isEnabled());
    QCOMPARE(f.balance(), QStringLiteral("10.00"));
    QCOMPARE(f.folder.bytes(DataFiles::balance), file);
    QCOMPARE(f.storedCount("Expense"), 0);
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
    f.button("cmdAdd" + suffix)->click();
    f.type(table, QStringLiteral(" "), amount); // a name of one blank passes
    f.button("cmdSave" + suffix)->click();
    QCOMPARE(f.balance(), shown);
    QCOMPARE(f.folder.bytes(DataFiles::balance), file);
    QCOMPARE(f.box("txt" + table + "Amount")->text(), NumberText::twoDecimals(amount.toDouble()));
    QVERIFY(f.button("cmdAdd" + suffix)->isEnabled());
    QVERIFY(!f.button("cmdSave" + suffix)->isEnabled());
    QVERIFY(f.box("txt" + table + "Amount")->isReadOnly());
    QVERIFY(f.tab->findChild<QWidget *>("Adodc" + suffix)->isEnabled());
    QCOMPARE(f.storedSum(table), amount.toDouble());
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::editTakesOldAmountOutAndSavePutsNewIn()
{
    LedgerFixture f;
    f.folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 100, '2024-01-02', 'D')");
    f.tab->income().entries().refresh();
    f.setBalance("300.00");
    const QByteArray file = f.folder.bytes(DataFiles::balance);
    f.script().expect(confirmEdit, QMessageBox::Ok);
    f.button("cmdEdit2")->click();
    QCOMPARE(f.balance(), QStringLiteral("200.00"));
    QCOMPARE(f.folder.bytes(DataFiles::balance), file); // not written by Edit
    f.box("txtIncomeAmount")->setText("120.00");
    f.button("cmdSave2")->click();
    QCOMPARE(f.balance(), QStringLiteral("320.00"));
    QCOMPARE(f.storedSum("Income"), 120.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::cancelAtEmptyNameRestoresBalance()
{
    LedgerFixture f;
    f.folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-01-02', '1'), "
                                         "('Rent', 900, '2024-01-03', '2')");
    f.tab->expense().entries().refresh();
    f.setBalance("1000.00");
    f.navigate("Expense", "cmdLast");
    f.script().expect(confirmEdit, QMessageBox::Ok);
    f.button("cmdEdit3")->click();
    QCOMPARE(f.balance(), QStringLiteral("1900.00"));
    f.box("txtExpenseType")->clear();
    f.box("txtExpenseAmount")->setText("5");
    f.script().expect(emptyName("expense"), QMessageBox::Cancel);
    f.button("cmdSave3")->click();
    QCOMPARE(f.balance(), QStringLiteral("1000.00"));
    QCOMPARE(f.box("txtExpenseType")->text(), QStringLiteral("Fuel")); // the first, read afresh
    QVERIFY(!f.button("cmdSave3")->isEnabled());
    QCOMPARE(f.storedSum("Expense"), 940.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::deleteInEachState()
{
    LedgerFixture f;
    f.folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('A', 10, '2024-01-02', ''), "
                                        "('B', 20, '2024-01-03', ''), ('C', 40, '2024-01-04', '')");
    f.tab->income().entries().refresh();
    f.setBalance("70.00");
    // Browsing: the entry's amount leaves the balance; the one before it is shown.
    f.navigate("Income", "cmdLast");
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.button("cmdDelete2")->click();
    QCOMPARE(f.balance(), QStringLiteral("30.00"));
    QCOMPARE(f.box("txtIncomeType")->text(), QStringLiteral("B"));
    // Adding: the unsaved row goes, the balance stays.
    f.button("cmdAdd2")->click();
    f.type("Income", "New", "99");
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.button("cmdDelete2")->click();
    QCOMPARE(f.balance(), QStringLiteral("30.00"));
    QVERIFY(!f.button("cmdSave2")->isEnabled());
    QCOMPARE(f.storedCount("Income"), 2);
    // Editing: the amount is out already and is not taken out twice.
    f.navigate("Income", "cmdFirst");
    f.script().expect(confirmEdit, QMessageBox::Ok);
    f.button("cmdEdit2")->click();
    QCOMPARE(f.balance(), QStringLiteral("20.00"));
    f.script().expect(confirmDelete("income"), QMessageBox::Ok);
    f.button("cmdDelete2")->click();
    QCOMPARE(f.balance(), QStringLiteral("20.00"));
    QCOMPARE(f.box("txtIncomeType")->text(), QStringLiteral("B")); // the new first
    QCOMPARE(f.storedSum("Income"), 20.0);
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::deleteOfOnlyEntryThenGuardThenSaveReenables()
{
    LedgerFixture f;
    f.folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-01-02', '')");
    f.tab->expense().entries().refresh();
    f.setBalance("0.00");
    f.script().expect(confirmDelete("expense"), QMessageBox::Ok);
    f.button("cmdDelete3")->click();
    QCOMPARE(f.balance(), QStringLiteral("40.00"));
    QVERIFY(f.box("txtExpenseType")->text().isEmpty());
    f.script().expect({"You must add a record.", "Empty file", QMessageBox::Ok,
                       QMessageBox::Information});
    f.button("cmdDelete3")->click();
    QVERIFY(!f.button("cmdDelete3")->isEnabled());
    f.button("cmdAdd3")->click();
    f.type("Expense", "Oil", "4.5");
    f.button("cmdSave3")->click();
    QVERIFY(f.button("cmdDelete3")->isEnabled());
    QCOMPARE(f.balance(), QStringLiteral("35.50"));
    VERIFY_MESSAGES(f.script());
}

void tst_LedgerPanel::unwritableBalanceFileStoresNothing()
{
    LedgerFixture f;
    f.setBalance("10.00");
    QFile::remove(f.folder.filePath(DataFiles::balance));
    QDir(f.folder.path()).mkdir(DataFiles::balance); // a folder where the file should be
    f.button("cmdAdd2")->click();
    f.type("Income", "Sales", "5");
    f.button("cmdSave2")->click();
    QCOMPARE(f.script().problems().size(), 1); // the one box telling why
    QVERIFY(f.script().problems().first().contains("The balance could not be saved in balance.kvd"));
    QCOMPARE(f.balance(), QStringLiteral("10.00"));
    QCOMPARE(f.storedCount("Income"), 0);
    QVERIFY(f.button("cmdSave2")->isEnabled()); // still adding, nothing lost
    QCOMPARE(f.box("txtIncomeType")->text(), QStringLiteral("Sales"));
}

void tst_LedgerPanel::rememberedNamesSurviveRestart()
{
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    {
        frmMain window(messages, launcher);
        QVERIFY(window.Form_Load());
        for (const char *name : {"Sales", "Rent", "Sales"}) {
            window.findChild<QPushButton *>("cmdAdd2")->click();
            window.findChild<QLineEdit *>("txtIncomeType")->setText(QString::fromLatin1(name));
            window.findChild<QLineEdit *>("txtIncomeAmount")->setText("1");
            window.findChild<QLineEdit *>("txtIncomeDate")->setText("1/1/2024");
            window.findChild<QPushButton *>("cmdSave2")->click();
        }
        messages.expect({"Databases will be compacted and saved!", "Exiting Program"});
        window.close();
    }
    QCOMPARE(folder.bytes(DataFiles::incomeNames), QByteArray("Sales\r\nRent\r\n"));
    QCOMPARE(folder.bytes(DataFiles::balance), QByteArray("3.00\r\n"));
    frmMain again(messages, launcher);
    QVERIFY(again.Form_Load());
    QCOMPARE(again.findChild<AutoCompleteBox *>("txtIncomeType")->rememberedValue(),
             QStringLiteral("Sales\r\nRent"));
    VERIFY_MESSAGES(messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_LedgerPanel)
#include "tst_LedgerPanel.moc"
