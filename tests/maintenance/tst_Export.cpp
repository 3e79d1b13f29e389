#include "CustomerExport.h"
#include "DataFiles.h"
#include "Readers.h"
#include "TempDataFolder.h"
#include "UsEnglish.h"

#include <QTest>

class tst_Export : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    // Every column in the table's order; an old workbook is replaced; the
    // start date is a date (before 1900 a text, as no spreadsheet shows it
    // as a date), an empty field an empty cell; a text cut is counted.
    void everyCustomerInTableOrder()
    {
        TempDataFolder folder;
        folder.writeBytes(CustomerExport::workbookFile, "an old workbook, to be replaced");
        folder.execute(DataFiles::customers,
                       "INSERT INTO Customers (Name, City, DateStarted, Schedule, AmountPerVisit, "
                       "AmountMonthly, Active, Comments) VALUES "
                       "('Zimmer', 'Łódź', '2004-03-15', 'Quarterly', 25, 8.33333333333333, -1, 'Café'), "
                       "('Adams', NULL, NULL, 'OneShot', 10.5, 0, 0, 'dog''s gate'), "
                       "('Old', NULL, '1899-12-31', NULL, NULL, NULL, 0, printf('%.40000c', 'x'))");
        QString error;
        qsizetype cut = 0;
        QVERIFY2(CustomerExport::run(folder.folder(), &cut, &error), qPrintable(error));
        QCOMPARE(cut, 1);
        const QVariantMap book = Readers::workbook(folder.bytes(CustomerExport::workbookFile));
        QCOMPARE(book["log"].toString(), "");
        const QStringList rows = book["rows"].toStringList();
        QCOMPARE(rows.value(1).split(" | ").replaceInStrings("text:", "").join(u'|'),
                 "Account|Name|Address|City|State|Zip|Home|Cell|HisWork|HerWork|DateStarted|"
                 "Schedule|AmountPerVisit|AmountMonthly|Active|Comments");
        QCOMPARE(rows.mid(2), (QStringList{
            "number:1.0 | text:Zimmer | empty: | text:Łódź | empty: | empty: | empty: | empty: | "
            "empty: | empty: | date:2004-03-15 | text:Quarterly | number:25.0 | "
            "number:8.33333333333333 | number:-1.0 | text:Café",
            "number:2.0 | text:Adams | empty: | empty: | empty: | empty: | empty: | empty: | empty: | "
            "empty: | empty: | text:OneShot | number:10.5 | number:0.0 | number:0.0 | text:dog's gate",
            "number:3.0 | text:Old | empty: | empty: | empty: | empty: | empty: | empty: | empty: | "
            "empty: | text:12/31/1899 | empty: | empty: | empty: | number:0.0 | text:" + QString(32767, 'x')}));
        QCOMPARE(rows.first(), "sheet:Customers");
        folder.execute(DataFiles::customers, "ALTER TABLE Customers RENAME COLUMN DateStarted TO Started");
        QVERIFY(!CustomerExport::run(folder.folder(), &cut, &error));
        QCOMPARE(error, "Customers.mdb has no table Customers with the column DateStarted.");
    }
};

QTEST_MAIN(tst_Export)
#include "tst_Export.moc"
