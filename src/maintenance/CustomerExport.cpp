#include "CustomerExport.h"

#include "DataEnvironment.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "SafeFiles.h"
#include "Workbook.h"

namespace CustomerExport {

bool run(const DataFolder &folder, QString *error)
{
    DataEnvironment customers(folder.filePath(DataFiles::customers));
    ReportRows table;
    if (!customers.open(error) ||
        !customers.run(QStringLiteral("SELECT * FROM [Customers]"), {}, &table, error))
        return false;
    customers.close();
    // The start date is stored as text; the workbook holds it as a date.
    const qsizetype dateColumn = table.columns.indexOf(QStringLiteral("DateStarted"));
    if (dateColumn < 0) {
        *error = QStringLiteral("%1 has no table Customers with the column DateStarted.")
                     .arg(DataFiles::customers);
        return false;
    }
    QList<QList<QVariant>> rows;
    for (qsizetype r = 0; r < table.count(); ++r) {
        QList<QVariant> row;
        for (qsizetype column = 0; column < table.columns.size(); ++column)
            row << table.value(r, column);
        if (const QDate date = DateText::fromStored(row[dateColumn].toString()); date.isValid())
            row[dateColumn] = date;
        rows << row;
    }
    return SafeFiles::write(folder.filePath(workbookFile),
                            Workbook::build(QStringLiteral("Customers"), table.columns, rows), error);
}

} // namespace CustomerExport
