#include "DataFiles.h"
#include "LedgerFixture.h"
#include "NumberText.h"
#include "RecordingMessageBox.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QDir>
#include <QPointer>
#include <QTest>

namespace {

struct SaveCheck {
    QString name, amount, date, text, title, focus;
};

struct Step {
    QString table, before, amount, shown;
    QByteArray file;
};

MessageBoxRequest confirmDelete()
{
    return {"Are you sure you want to delete this income? The information cannot be restored!!",
            "Delete File?", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
            QMessageBox::Cancel};
}

QString suffix(const QString &table)
{
    return table == QLatin1String("Income") ? QStringLiteral("2") : QStringLiteral("3");
}

} // namespace

Q_DECLARE_METATYPE(SaveCheck)
Q_DECLARE_METATYPE(Step)

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
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<SaveCheck>("check");
        const QString amount = "You need to enter an amount for this expense!";
        const QString date = "You need to enter a valid date for this expense!";
        const auto badAmount = [&](const char *typed, const char *on) {
            return SaveCheck{"Fuel", typed, on, amount, "Invalid Amount", "txtExpenseAmount"};
        };
        QTest::newRow("letters") << badAmount("abc", "");
        QTest::newRow("empty amount") << badAmount("", "");
        QTest::newRow("group separator") << badAmount("1,250.00", "1/1/2024");
        QTest::newRow("dollar sign") << badAmount("$5", "1/1/2024");
        QTest::newRow("no such day")
            << SaveCheck{"Fuel", "5", "2/30/2004", date, "Invalid Date", "txtExpenseDate"};
        QTest::newRow("empty date") << SaveCheck{" ", "5", "", date, "Invalid Date", "txtExpenseDate"};
    }

    // Nothing moves: not the balance, not its file, not the table.
    void saveChecksInOrder()
    {
        QFETCH(SaveCheck, check);
        LedgerFixture f;
        f.setBalance("10.00");
        const QByteArray file = f.folder.bytes(DataFiles::balance);
        f.click("cmdAdd3");
        f.type("Expense", check.name, check.amount, check.date);
        f.script().expect({check.text, check.title});
        f.click("cmdSave3");
        QCOMPARE(focused(), check.focus);
        QVERIFY(control<QPushButton>(f.tab.get(), "cmdSave3")->isEnabled());
        QCOMPARE(f.balance(), QStringLiteral("10.00"));
        QCOMPARE(f.folder.bytes(DataFiles::balance), file);
        QCOMPARE(f.folder.storedCount("Expense"), 0);
    }

    void saveMovesBalanceAndWritesFile_data()
    {
        QTest::addColumn<Step>("step");
        QTest::newRow("income") << Step{"Income", "100.00", "12.5", "112.50", "112.5\r\n"};
        QTest::newRow("expense") << Step{"Expense", "10.00", "25", "-15.00", "-15\r\n"};
        QTest::newRow("after Set") << Step{"Income", "500", "0.1", "500.10", "500.1\r\n"};
    }

    void saveMovesBalanceAndWritesFile()
    {
        QFETCH(Step, step);
        LedgerFixture f;
        f.setBalance(step.before);
        f.click("cmdAdd" + suffix(step.table));
        f.type(step.table, QStringLiteral(" "), step.amount); // a name of one blank passes
        f.click("cmdSave" + suffix(step.table));
        QCOMPARE(f.balance(), step.shown);
        QCOMPARE(f.folder.bytes(DataFiles::balance), step.file);
        QCOMPARE(f.box("txt" + step.table + "Amount")->text(),
                 NumberText::twoDecimals(step.amount.toDouble()));
        QVERIFY(f.box("txt" + step.table + "Amount")->isReadOnly());
        QVERIFY(control(f.tab.get(), "Adodc" + suffix(step.table))->isEnabled());
        QCOMPARE(f.folder.storedSum(step.table), step.amount.toDouble());
    }

    // Edit takes the old amount out, not writing the file; Save puts the new one
    // in, Cancel at the empty-name question the old one back.
    void editMovesBalanceUntilSavedOrAbandoned()
    {
        LedgerFixture f;
        f.insert("Income", "('Sales', 100, '2024-01-02', 'D'), ('Rent', 40, '2024-01-03', '')");
        f.setBalance("300.00");
        const QByteArray file = f.folder.bytes(DataFiles::balance);
        f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
        f.click("cmdEdit2");
        QCOMPARE(f.balance(), QStringLiteral("200.00"));
        QCOMPARE(f.folder.bytes(DataFiles::balance), file);
        f.box("txtIncomeType")->clear();
        f.script().expect({"You need to enter a name for the income!", "Empty Name",
                           QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, QMessageBox::Ok},
                          QMessageBox::Cancel);
        f.click("cmdSave2");
        QCOMPARE(f.balance(), QStringLiteral("300.00"));
        f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
        f.click("cmdEdit2");
        f.box("txtIncomeAmount")->setText("120.00");
        f.click("cmdSave2");
        QCOMPARE(f.balance(), QStringLiteral("320.00"));
        QCOMPARE(f.folder.storedSum("Income"), 160.0);
    }

    void deleteInEachState()
    {
        LedgerFixture f;
        f.insert("Income", "('A', 10, '2024-01-02', ''), ('B', 20, '2024-01-03', ''), "
                           "('C', 40, '2024-01-04', '')");
        f.setBalance("70.00");
        // Browsing: the entry's amount leaves the balance.
        f.navigate("Income", "cmdLast");
        f.script().expect(confirmDelete(), QMessageBox::Ok);
        f.click("cmdDelete2");
        QCOMPARE(f.balance(), QStringLiteral("30.00"));
        // Adding: the unsaved row goes, the balance stays.
        f.click("cmdAdd2");
        f.type("Income", "New", "99");
        f.script().expect(confirmDelete(), QMessageBox::Ok);
        f.click("cmdDelete2");
        QCOMPARE(f.balance(), QStringLiteral("30.00"));
        QVERIFY(!control<QPushButton>(f.tab.get(), "cmdSave2")->isEnabled());
        // Editing: the amount is out already and is not taken out twice.
        f.navigate("Income", "cmdFirst");
        f.script().expect(Boxes::confirmEdit, QMessageBox::Ok);
        f.click("cmdEdit2");
        QCOMPARE(f.balance(), QStringLiteral("20.00"));
        f.script().expect(confirmDelete(), QMessageBox::Ok);
        f.click("cmdDelete2");
        QCOMPARE(f.balance(), QStringLiteral("20.00"));
        QCOMPARE(f.folder.storedSum("Income"), 20.0);
    }

    void failedStoreLeavesBalanceFile_data()
    {
        QTest::addColumn<bool>("fileInTheWay");
        QTest::addColumn<QString>("told");
        QTest::newRow("balance.kvd cannot be written") << true << "The balance could not be saved";
        QTest::newRow("the table refuses the entry") << false << "could not be stored in Income.mdb";
    }

    // Whichever write fails, balance.kvd holds exactly what it held, and the
    // entry stays open as typed with the balance as it was.
    void failedStoreLeavesBalanceFile()
    {
        QFETCH(bool, fileInTheWay);
        QFETCH(QString, told);
        auto recording = std::make_unique<RecordingMessageBox>();
        const QList<MessageBoxRequest> &shown = recording->shown;
        LedgerFixture f(std::move(recording));
        f.insert("Income", "('Sales', 100, '2024-01-02', 'D')");
        f.folder.writeBytes(DataFiles::balance, "300.00\r\n"); // as the exit writes it
        f.setBalance("300.00");
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
        QCOMPARE(shown.size(), 2); // the question of Edit, then the one box telling why
        QVERIFY2(shown.last().text.contains(told), qPrintable(shown.last().text));
        QCOMPARE(f.folder.bytes(DataFiles::balance), file);
        QCOMPARE(f.balance(), QStringLiteral("200.00"));
        QVERIFY(control<QPushButton>(f.tab.get(), "cmdSave2")->isEnabled());
        QCOMPARE(f.box("txtIncomeAmount")->text(), QStringLiteral("120"));
    }

    // Set opens one sign-in window at a time; what it signs in with is the balance shown.
    void setShowsSignedInBalance()
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
    }
};

QTEST_MAIN(tst_LedgerPanel)
#include "tst_LedgerPanel.moc"
