#include "DataFiles.h"
#include "Recordset.h"
#include "TempDataFolder.h"

#include <QFile>
#include <QTest>
#include <memory>

namespace {

std::unique_ptr<Recordset> openCustomers(const TempDataFolder &folder)
{
    auto records = std::make_unique<Recordset>(folder.filePath(DataFiles::customers),
                                               "SELECT * FROM Customers ORDER BY Name ASC");
    QString error;
    if (!records->open(&error))
        qFatal("%s", qPrintable(error));
    return records;
}

QStringList visibleNames(Recordset &records)
{
    QStringList names;
    for (records.moveFirst(); !records.isEOF(); records.moveNext())
        names << records.field("Name").toString();
    return names;
}

} // namespace

class tst_Recordset : public QObject
{
    Q_OBJECT
private slots:
    void openingMovingStoringAndRefreshing()
    {
        TempDataFolder folder;
        QFile::remove(folder.filePath(DataFiles::expense));
        Recordset expense(folder.filePath(DataFiles::expense), "Expense");
        QString error;
        QVERIFY(!expense.open(&error));
        QVERIFY(error.contains(DataFiles::expense));
        QVERIFY(!QFile::exists(folder.filePath(DataFiles::expense)));
        QVERIFY(expense.isEOF() && expense.isBOF());

        auto records = openCustomers(folder);
        // Where the recordset stands: before the first row, after the last, or on a name.
        const auto at = [&] {
            if (!records->isBOF() && !records->isEOF())
                return records->field("Name").toString();
            return QString(records->isBOF() ? "BOF" : "") + (records->isEOF() ? "EOF" : "");
        };
        QCOMPARE(at(), QStringLiteral("BOFEOF"));
        records->addNew();
        QVERIFY(records->isNew() && at().isEmpty());
        // Another program adds customers and deletes the last; reading afresh drops the
        // unsaved new row.
        folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('adams'), "
                                             "('Carter'), ('baker'), ('Zorn')");
        folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account = 4");
        QVERIFY(records->refresh(&error));
        QStringList walk{at()};
        for (auto move : {&Recordset::movePrevious, &Recordset::movePrevious, &Recordset::moveNext,
                          &Recordset::moveLast, &Recordset::moveNext, &Recordset::moveNext,
                          &Recordset::movePrevious}) {
            (records.get()->*move)();
            walk << at();
        }
        QCOMPARE(walk, (QStringList{"adams", "BOF", "BOF", "adams", "Carter", "EOF", "EOF", "Carter"}));
        // In name order as a person reads it, letter case aside.
        QCOMPARE(visibleNames(*records), (QStringList{"adams", "baker", "Carter"}));

        records->addNew();
        const Recordset::Bookmark mark = records->bookmark();
        QVERIFY2(records->update({{"Name", "Dixon"}}, &error), qPrintable(error));
        // The number of the deleted customer is never given again.
        QCOMPARE(records->field("Account").toInt(), 5);
        QVERIFY(!records->isNew());
        QVERIFY(!records->update({{"Account", 7}}, &error));
        records->moveFirst();
        QVERIFY(records->setBookmark(mark));
        QCOMPARE(records->field("Name").toString(), QStringLiteral("Dixon"));
        // Read afresh, the first row is current and a stored row takes its place in the order.
        records->addNew();
        QVERIFY(records->update({{"Name", "Bell"}}, &error));
        QVERIFY(records->refresh(&error));
        QCOMPARE(records->field("Name").toString(), QStringLiteral("adams"));
        QCOMPARE(visibleNames(*records),
                 (QStringList{"adams", "baker", "Bell", "Carter", "Dixon"}));
        // A row that another program deleted cannot be stored, and stays as it was.
        folder.execute(DataFiles::customers, "DELETE FROM Customers");
        records->moveFirst();
        QVERIFY(!records->update({{"City", "Tampa"}}, &error));
        QVERIFY(error.contains("no longer"));
        QCOMPARE(records->field("Name").toString(), QStringLiteral("adams"));
    }
};

QTEST_GUILESS_MAIN(tst_Recordset)
#include "tst_Recordset.moc"
