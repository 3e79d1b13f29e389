#include "CustomerExport.h"

#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "Workbook.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

} // namespace

namespace CustomerExport {

bool run(const DataFolder &folder, qsizetype *textsCut, QString *error)
{
    Connection customers(folder.filePath(DataFiles::customers));
    if (!customers.open(error))
        return false;
    // The rows go into the workbook as they are read, never held all at once;
    // their count makes room for them.
    QSqlQuery query(customers.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM [Customers]")) || !query.next())
        return failed(query, error);
    const qsizetype expectedRows = query.value(0).toLongLong();
    if (!query.exec(QStringLiteral("SELECT * FROM [Customers]")))
        return failed(query, error);
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    // The start date is stored as text; the workbook holds it as a date.
    const qsizetype dateColumn = columns.indexOf(QStringLiteral("DateStarted"));
    if (dateColumn < 0) {
        *error = QStringLiteral("%1 has no table Customers with the column DateStarted.")
                     .arg(DataFiles::customers);
        return false;
    }
    Workbook workbook(QStringLiteral("Customers"), columns, expectedRows);
    QList<QVariant> row(columns.size());
    while (query.next()) {
        for (int i = 0; i < columns.size(); ++i)
            row[i] = query.value(i);
        if (const QDate date = DateText::fromStored(row[dateColumn].toString()); date.isValid())
            row[dateColumn] = date.year() < 1900 ? QVariant(DateText::toShort(date)) : QVariant(date);
        workbook.addRow(row);
    }
    if (query.lastError().isValid())
        return failed(query, error);
    *textsCut = workbook.textsCut();
    return folder.disk().write(folder.filePath(workbookFile), workbook.finish(), error);
}

} // namespace CustomerExport
