#include "DataFiles.h"
#include "RecordNames.h"
#include "Recordset.h"
#include "TempDataFolder.h"

#include <QFile>
#include <QTest>
#include <memory>

namespace {

std::unique_ptr<Recordset> openCustomers(const TempDataFolder &folder)
{
    auto records = std::make_unique<Recordset>(folder.folder().database(DataFiles::customers),
                                               "SELECT * FROM Customers ORDER BY Name ASC");
    QString error;
    if (!records->open(&error))
        qFatal("%s", qPrintable(error));
    return records;
}

} // namespace

class tst_Recordset : public QObject
{
    Q_OBJECT
private slots:
    // What the customers' file adds to the steps every engine takes alike
    // (tst_Engines): no file is made where there is none, names go in order
    // as a person reads them, the number of a deleted customer is never given
    // again, and a file the user made read-only stays so.
    void customersFile()
    {
        TempDataFolder folder;
        QFile::remove(folder.filePath(DataFiles::expense));
        Recordset expense(folder.folder().database(DataFiles::expense), "Expense");
        QString error;
        QVERIFY(!expense.open(&error));
        QVERIFY(error.contains(DataFiles::expense));
        QVERIFY(!QFile::exists(folder.filePath(DataFiles::expense)));
        QVERIFY(expense.isEOF() && expense.isBOF());

        folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('adams'), "
                                             "('Carter'), ('baker'), ('Zorn')");
        folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account = 4");
        auto records = openCustomers(folder);
        QCOMPARE(recordNames(*records), (QStringList{"adams", "baker", "Carter"}));
        records->addNew();
        QVERIFY2(records->update({{"Name", "Dixon"}}, &error), qPrintable(error));
        QCOMPARE(records->field("Account").toInt(), 5);
        QVERIFY(QFile::setPermissions(folder.filePath(DataFiles::customers), QFile::ReadOwner));
        (records = openCustomers(folder))->addNew();
        QVERIFY(!records->update({{"Name", "Eve"}}, &error));
    }

    void filterMatchesLiterallyAnyCase_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ASCII, other case") << "Name" << "BRIEN" << QStringList{"O'Brien"};
        QTest::newRow("apostrophe and star taken as typed") << "Name" << "'b" << QStringList{"O'Brien"};
        QTest::newRow("star") << "Name" << "*" << QStringList{"a*b"};
        QTest::newRow("accented, other case") << "Name" << "ÉMI" << QStringList{"Émile"};
        QTest::newRow("Kelvin sign folds to k") << "Name" << "karl" << QStringList{"Karl", "\u212Aarl"};
        QTest::newRow("ASCII text in an accented cell") << "Name" << "mile" << QStringList{"Émile"};
        QTest::newRow("a stored number") << "AmountPerVisit" << "12.5" << QStringList{"a*b"};
        QTest::newRow("nothing") << "Name" << "zz" << QStringList{};
    }

    void filterMatchesLiterallyAnyCase()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        TempDataFolder folder;
        folder.execute(DataFiles::customers,
                       "INSERT INTO Customers (Name, AmountPerVisit) VALUES ('Karl', 3), "
                       "('O''Brien', NULL), ('a*b', 12.5), ('Émile', 4), (char(8490) || 'arl', 5)");
        auto records = openCustomers(folder);
        records->setFilter({{field}, text, false, {}});
        QTEST(recordNames(*records), "names");
    }

    void damagedPageIsNotShownAsTheWhole_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<char>("emptyLeaf"); // the page type of an empty leaf in that tree
        QTest::newRow("table") << "Customers" << '\x0d';
        QTest::newRow("name order") << "CustomersByName" << '\x0a';
    }

    // The first page of a tree made an empty leaf: SQLite reads none of its rows and reports nothing.
    void damagedPageIsNotShownAsTheWhole()
    {
        QFETCH(QString, tree);
        QFETCH(char, emptyLeaf);
        TempDataFolder folder;
        folder.execute(DataFiles::customers,
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                       "INSERT INTO Customers (Name, Comments) SELECT 'C' || i, printf('%.99c', 'x') FROM n");
        const int page = folder.value(DataFiles::customers, "SELECT rootpage FROM sqlite_master WHERE name = '" + tree + "'").toInt();
        QByteArray bytes = folder.bytes(DataFiles::customers);
        folder.writeBytes(DataFiles::customers, bytes.replace((page - 1) * 4096, 8, emptyLeaf + QByteArray("\0\0\0\0\x10\0\0", 7)));
        Recordset records(folder.folder().database(DataFiles::customers), "SELECT * FROM Customers ORDER BY Name ASC");
        QString error;
        QVERIFY(!records.open(&error));
        QVERIFY2(error.startsWith("Customers.mdb is damaged"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(tst_Recordset)
#include "tst_Recordset.moc"
