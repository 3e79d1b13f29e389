#pragma once

#include <QString>

class DataFolder;

// Writes every customer, in the table's own order, into the Excel 97 workbook
// Customers.xls in the data folder: a worksheet "Customers" with the column
// names first. A start date before 1900, which spreadsheets do not show as a
// date, is written as text in the short date form. An old workbook is
// replaced whole, and only once the new one is complete. `textsCut` counts
// the texts longer than a cell holds.
namespace CustomerExport {

inline const QString workbookFile = QStringLiteral("Customers.xls");

bool run(const DataFolder &folder, qsizetype *textsCut, QString *error);

} // namespace CustomerExport
