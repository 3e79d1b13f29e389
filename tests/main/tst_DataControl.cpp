#include "DataControl.h"
#include "DataFiles.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

// A customer card in miniature: a data control over Customers and a few bound boxes.
struct Card {
    ScriptedMessageBox messages;
    DataControl control{QStringLiteral("Adodc1"), QStringLiteral("Customers"),
                        DataFiles::connectionString(DataFiles::customers),
                        QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC"), messages};
    QLineEdit account, name, amount, date;
    QComboBox schedule;
    QCheckBox active;

    Card()
    {
        schedule.setEditable(true);
        control.bind(&account, QStringLiteral("Account"), FieldFormat::Number);
        control.bind(&name, QStringLiteral("Name"));
        control.bind(&amount, QStringLiteral("AmountPerVisit"), FieldFormat::Money);
        control.bind(&date, QStringLiteral("DateStarted"), FieldFormat::Date);
        control.bind(&schedule, QStringLiteral("Schedule"));
        control.bind(&active, QStringLiteral("Active"));
    }
};

void addCustomers(const TempDataFolder &folder)
{
    folder.execute(DataFiles::customers,
                   "INSERT INTO Customers (Name, AmountPerVisit) VALUES ('Adams', 10), "
                   "('Baker', 20), ('Carter', 30)");
}

} // namespace

class tst_DataControl : public QObject
{
    Q_OBJECT
private slots:
    void updateStoresTypedValuesInTheirStoredForm();
    void refusedValueStoresNothingAndKeepsTyping_data();
    void refusedValueStoresNothingAndKeepsTyping();
};

void tst_DataControl::updateStoresTypedValuesInTheirStoredForm()
{
    TempDataFolder folder;
    Card card;
    QVERIFY(card.control.open());
    card.control.recordset().addNew();
    card.name.setText(QStringLiteral("Adams"));
    card.amount.setText(QStringLiteral(" 12.5 "));
    card.date.setText(QStringLiteral("3/15/04"));
    card.schedule.setEditText(QStringLiteral("Quarterly"));
    card.active.setChecked(true);
    QVERIFY(card.control.update());
    QCOMPARE(card.account.text(), QStringLiteral("1"));
    QCOMPARE(card.amount.text(), QStringLiteral("12.50"));
    QCOMPARE(card.date.text(), QStringLiteral("3/15/2004"));
    const Recordset &records = card.control.recordset();
    QCOMPARE(records.field(QStringLiteral("AmountPerVisit")).toDouble(), 12.5);
    QCOMPARE(records.field(QStringLiteral("DateStarted")).toString(), QStringLiteral("2004-03-15"));
    QCOMPARE(records.field(QStringLiteral("Active")).toInt(), -1);

    card.amount.clear();
    card.date.clear();
    card.active.setChecked(false);
    QVERIFY(card.control.update());
    QVERIFY(records.field(QStringLiteral("AmountPerVisit")).isNull());
    QVERIFY(records.field(QStringLiteral("DateStarted")).isNull());
    QCOMPARE(records.field(QStringLiteral("Active")).toInt(), 0);
    VERIFY_MESSAGES(card.messages);
}

void tst_DataControl::refusedValueStoresNothingAndKeepsTyping_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("reason");
    QTest::newRow("amount with a group separator")
        << "1,250.00" << "1/1/2004" << "AmountPerVisit: \"1,250.00\" is not an amount.";
    QTest::newRow("dollar sign") << "$5" << "1/1/2004" << "AmountPerVisit: \"$5\" is not an amount.";
    QTest::newRow("no such day") << "5" << "2/30/2004" << "DateStarted: \"2/30/2004\" is not a date.";
}

void tst_DataControl::refusedValueStoresNothingAndKeepsTyping()
{
    QFETCH(QString, amount);
    QFETCH(QString, date);
    QFETCH(QString, reason);
    TempDataFolder folder;
    addCustomers(folder);
    Card card;
    QVERIFY(card.control.open());
    card.name.setText(QStringLiteral("Changed"));
    card.amount.setText(amount);
    card.date.setText(date);
    card.messages.expect({"The record could not be stored in Customers.mdb. Nothing was "
                          "changed.\n\n" + reason,
                          "Bramblewood", QMessageBox::Ok, QMessageBox::Warning});
    QVERIFY(!card.control.update());
    QCOMPARE(card.name.text(), QStringLiteral("Changed"));
    QCOMPARE(card.amount.text(), amount);
    QVERIFY(card.control.refresh());
    QCOMPARE(card.name.text(), QStringLiteral("Adams"));
    QCOMPARE(card.amount.text(), QStringLiteral("10.00"));
    VERIFY_MESSAGES(card.messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_DataControl)
#include "tst_DataControl.moc"
