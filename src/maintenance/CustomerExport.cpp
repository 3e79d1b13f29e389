#include "CustomerExport.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "TableScan.h"
#include "Workbook.h"

#include <optional>

namespace CustomerExport {

bool run(const DataFolder &folder, qsizetype *textsCut, QString *error)
{
    // The rows go into the workbook as they are read, never held all at once;
    // their count makes room for them.
    std::optional<Workbook> workbook;
    qsizetype dateColumn = -1;
    const auto begin = [&](const QStringList &columns, qint64 rows) {
        workbook.emplace(QStringLiteral("Customers"), columns, rows);
        // The start date is stored as text; the workbook holds it as a date.
        dateColumn = columns.indexOf(QStringLiteral("DateStarted"));
    };
    const auto add = [&](QList<QVariant> &row) {
        if (dateColumn < 0)
            return;
        if (const QDate date = DateText::fromStored(row[dateColumn].toString()); date.isValid())
            row[dateColumn] = date.year() < 1900 ? QVariant(DateText::toShort(date)) : QVariant(date);
        workbook->addRow(row);
    };
    if (!TableScan::read(folder.database(DataFiles::customers), QStringLiteral("Customers"), begin, add, error))
        return false;
    if (dateColumn < 0) {
        *error = QStringLiteral("%1 has no table Customers with the column DateStarted.")
                     .arg(DataFiles::customers);
        return false;
    }
    *textsCut = workbook->textsCut();
    return folder.disk().write(folder.filePath(workbookFile), workbook->finish(), error);
}

} // namespace CustomerExport
