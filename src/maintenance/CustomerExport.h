#pragma once

#include <QString>

class DataFolder;

// Writes every customer, in the table's own order, into the Excel 97 workbook
// Customers.xls in the data folder: a worksheet "Customers" with the column
// names first. An old workbook is replaced whole, and only once the new one
// is complete.
namespace CustomerExport {

inline const QString workbookFile = QStringLiteral("Customers.xls");

bool run(const DataFolder &folder, QString *error);

} // namespace CustomerExport
