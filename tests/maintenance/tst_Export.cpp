#include "CustomerExport.h"
#include "DataFiles.h"
#include "Readers.h"
#include "TempDataFolder.h"

#include <QTest>

namespace {

const QString header = QStringLiteral("Account|Name|Address|City|State|Zip|Home|Cell|HisWork|HerWork|"
                                      "DateStarted|Schedule|AmountPerVisit|AmountMonthly|Active|Comments");

} // namespace

class tst_Export : public QObject
{
    Q_OBJECT
private slots:
    // An old workbook is replaced; the start date is a date, an empty field an empty cell.
    void everyCustomerInTableOrder()
    {
        TempDataFolder folder;
        folder.writeBytes(CustomerExport::workbookFile, "an old workbook, to be replaced");
        folder.execute(DataFiles::customers,
                       "INSERT INTO Customers (Name, City, DateStarted, Schedule, AmountPerVisit, "
                       "AmountMonthly, Active, Comments) VALUES "
                       "('Zimmer', 'Łódź', '2004-03-15', 'Quarterly', 25, 8.33333333333333, -1, 'Café'), "
                       "('Adams', NULL, NULL, 'OneShot', 10.5, 0, 0, 'dog''s gate')");
        QString error;
        QVERIFY2(CustomerExport::run(folder.folder(), &error), qPrintable(error));
        const QByteArray read = Readers::pythonFile(QFINDTESTDATA("workbook_rows.py"),
                                                    {folder.filePath(CustomerExport::workbookFile)});
        QCOMPARE(QString::fromUtf8(read).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{"sheet Customers", header,
                              "1.0|Zimmer||Łódź|||||||2004-03-15|Quarterly|25.0|8.33333333333333|-1.0|Café",
                              "2.0|Adams||||||||||OneShot|10.5|0.0|0.0|dog's gate"}));
    }
};

QTEST_MAIN(tst_Export)
#include "tst_Export.moc"
