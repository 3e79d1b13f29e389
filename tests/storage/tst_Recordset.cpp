#include "DataFiles.h"
#include "Recordset.h"
#include "TempDataFolder.h"
#include <QTest>

#include <QFile>
#include <memory>

namespace {

const QString customersQuery = QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC");

std::unique_ptr<Recordset> openCustomers(const TempDataFolder &folder)
{
    auto records = std::make_unique<Recordset>(folder.filePath(DataFiles::customers), customersQuery);
    QString error;
    if (!records->open(&error))
        qFatal("%s", qPrintable(error));
    return records;
}

void addCustomers(const TempDataFolder &folder, const QStringList &names)
{
    for (const QString &name : names)
        folder.execute(DataFiles::customers,
                       QStringLiteral("INSERT INTO Customers (Name) VALUES ('%1')").arg(name));
}

QStringList visibleNames(Recordset &records)
{
    QStringList names;
    for (records.moveFirst(); !records.isEOF(); records.moveNext())
        names << records.field(QStringLiteral("Name")).toString();
    return names;
}

} // namespace

class tst_Recordset : public QObject
{
    Q_OBJECT
private slots:
    void emptyTableIsBothEndsAndNewRowIsCurrent();
    void refreshDropsUnsavedNewRowAndReadsAfresh();
    void movingStopsAtBothEnds();
    void newCustomerGetsAccountFromDatabase();
    void filter_data();
    void filter();
    void updateOfRowDeletedElsewhereFailsAndKeepsRow();
    void missingDatabaseIsReportedNotCreated();
};

void tst_Recordset::emptyTableIsBothEndsAndNewRowIsCurrent()
{
    TempDataFolder folder;
    auto records = openCustomers(folder);
    QVERIFY(records->isBOF());
    QVERIFY(records->isEOF());
    records->addNew();
    QVERIFY(!records->isBOF() && !records->isEOF());
    QVERIFY(records->isNew());
    QVERIFY(records->field(QStringLiteral("Name")).isNull());
}

void tst_Recordset::refreshDropsUnsavedNewRowAndReadsAfresh()
{
    TempDataFolder folder;
    addCustomers(folder, {QStringLiteral("baker"), QStringLiteral("Carter")});
    auto records = openCustomers(folder);
    records->addNew();
    addCustomers(folder, {QStringLiteral("adams")}); // another program adds a customer
    QString error;
    QVERIFY(records->refresh(&error));
    QCOMPARE(records->field(QStringLiteral("Name")).toString(), QStringLiteral("adams"));
    // In name order as a person reads it, letter case aside.
    QCOMPARE(visibleNames(*records), (QStringList{QStringLiteral("adams"), QStringLiteral("baker"),
                                                  QStringLiteral("Carter")}));
}

void tst_Recordset::movingStopsAtBothEnds()
{
    TempDataFolder folder;
    addCustomers(folder, {QStringLiteral("A"), QStringLiteral("B")});
    auto records = openCustomers(folder);
    records->movePrevious();
    QVERIFY(records->isBOF() && !records->isEOF());
    records->movePrevious();
    QVERIFY(records->isBOF());
    records->moveNext();
    QCOMPARE(records->field(QStringLiteral("Name")).toString(), QStringLiteral("A"));
    records->moveLast();
    records->moveNext();
    QVERIFY(records->isEOF() && !records->isBOF());
    records->moveNext();
    QVERIFY(records->isEOF());
    records->movePrevious();
    QCOMPARE(records->field(QStringLiteral("Name")).toString(), QStringLiteral("B"));
}

void tst_Recordset::newCustomerGetsAccountFromDatabase()
{
    TempDataFolder folder;
    addCustomers(folder, {QStringLiteral("A"), QStringLiteral("B")});
    folder.execute(DataFiles::customers, QStringLiteral("DELETE FROM Customers WHERE Account = 2"));
    auto records = openCustomers(folder);
    records->addNew();
    const Recordset::Bookmark mark = records->bookmark();
    QString error;
    QVERIFY2(records->update({{QStringLiteral("Name"), QStringLiteral("C")}}, &error),
             qPrintable(error));
    // The number of the deleted customer is never given again.
    QCOMPARE(records->field(QStringLiteral("Account")).toInt(), 3);
    QVERIFY(!records->isNew());
    QVERIFY(!records->update({{QStringLiteral("Account"), 7}}, &error));
    QCOMPARE(records->bookmark(), mark);
    records->moveFirst();
    QVERIFY(records->setBookmark(mark));
    QCOMPARE(records->field(QStringLiteral("Name")).toString(), QStringLiteral("C"));
    // Read afresh, a stored row takes its place in the order.
    records->addNew();
    QVERIFY(records->update({{QStringLiteral("Name"), QStringLiteral("Aaron")}}, &error));
    QVERIFY(records->refresh(&error));
    QCOMPARE(visibleNames(*records), (QStringList{"A", "Aaron", "C"}));
}

void tst_Recordset::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("part of a name") << "mit" << QStringList{"Goldsmith", "Smith"};
    QTest::newRow("letter case aside") << "SMITH" << QStringList{"Goldsmith", "Smith"};
    QTest::newRow("apostrophe") << "o'ne" << QStringList{"O'neil"};
    QTest::newRow("asterisk is literal") << "*" << QStringList{"Star*Lawn"};
    QTest::newRow("percent is literal") << "%" << QStringList{};
    QTest::newRow("underscore is literal") << "_" << QStringList{};
}

void tst_Recordset::filter()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    TempDataFolder folder;
    addCustomers(folder, {QStringLiteral("Smith"), QStringLiteral("Goldsmith"), QStringLiteral("O''neil"),
                          QStringLiteral("Star*Lawn"), QStringLiteral("Jones")});
    auto records = openCustomers(folder);
    records->setFilter({{QStringLiteral("Name"), QStringLiteral("Home"), QStringLiteral("Cell"),
                         QStringLiteral("HisWork"), QStringLiteral("HerWork")},
                        text});
    QCOMPARE(visibleNames(*records), expected);
}

void tst_Recordset::updateOfRowDeletedElsewhereFailsAndKeepsRow()
{
    TempDataFolder folder;
    addCustomers(folder, {QStringLiteral("Adams")});
    auto records = openCustomers(folder);
    folder.execute(DataFiles::customers, QStringLiteral("DELETE FROM Customers"));
    QString error;
    QVERIFY(!records->update({{QStringLiteral("City"), QStringLiteral("Tampa")}}, &error));
    QVERIFY(error.contains(QStringLiteral("no longer")));
    QCOMPARE(records->field(QStringLiteral("Name")).toString(), QStringLiteral("Adams"));
}

void tst_Recordset::missingDatabaseIsReportedNotCreated()
{
    TempDataFolder folder;
    QFile::remove(folder.filePath(DataFiles::expense));
    Recordset expense(folder.filePath(DataFiles::expense), QStringLiteral("Expense"));
    QString error;
    QVERIFY(!expense.open(&error));
    QVERIFY(error.contains(DataFiles::expense));
    QVERIFY(!QFile::exists(folder.filePath(DataFiles::expense)));
    QVERIFY(expense.isEOF() && expense.isBOF());
}

QTEST_GUILESS_MAIN(tst_Recordset)
#include "tst_Recordset.moc"
