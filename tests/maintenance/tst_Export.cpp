#include "CustomerExport.h"
#include "DataFiles.h"
#include "Readers.h"
#include "TempDataFolder.h"

#include <QTest>

namespace {

// The workbook as Debian's xlrd reads it: one line per row, cells joined by
// "|", dates as yyyy-mm-dd; any warning xlrd logs makes it fail.
QStringList readBack(const QString &path)
{
    const char *script = R"(
import sys, io, xlrd
log = io.StringIO()
book = xlrd.open_workbook(sys.argv[1], logfile=log)
if log.getvalue(): sys.exit('xlrd: ' + log.getvalue())
for sheet in book.sheets():
    print('sheet ' + sheet.name)
    for r in range(sheet.nrows):
        cells = []
        for c in sheet.row(r):
            if c.ctype == xlrd.XL_CELL_DATE:
                cells.append(xlrd.xldate_as_datetime(c.value, book.datemode).strftime('%Y-%m-%d'))
            elif c.ctype == xlrd.XL_CELL_NUMBER:
                cells.append(repr(c.value))
            else:
                cells.append(str(c.value))
        print('|'.join(cells))
)";
    return QString::fromUtf8(Readers::python(script, {path})).split(u'\n', Qt::SkipEmptyParts);
}

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
        QCOMPARE(readBack(folder.filePath(CustomerExport::workbookFile)),
                 (QStringList{"sheet Customers", header,
                              "1.0|Zimmer||Łódź|||||||2004-03-15|Quarterly|25.0|8.33333333333333|-1.0|Café",
                              "2.0|Adams||||||||||OneShot|10.5|0.0|0.0|dog's gate"}));
    }
};

QTEST_MAIN(tst_Export)
#include "tst_Export.moc"
