#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVariant>

// An Excel 97 (BIFF8) workbook of one table: a worksheet named sheetName with
// a header row of the column names, then one row per table row. A sheet holds
// at most 65,536 rows, so rows beyond that continue on further sheets
// "sheetName (2)", "sheetName (3)", each with its own header row.
//
// Excel's own limits apply: sheetName must not be empty, characters Excel
// forbids in sheet names (: \ / ? * [ ]) become '_', and it is cut so that each
// sheet name keeps to 31 characters; only the first 256 columns are written; a
// text is cut to 32,767 characters.
namespace Workbook {

// Cells: a null or invalid QVariant is an empty cell; int, qlonglong, double (and other numeric
// types) are numbers; QDate is a date (a number with a date format, shown as a date by spreadsheet
// programs); anything else is text (toString()). An empty text, an invalid date and a number that
// is not finite are empty cells too.
QByteArray build(const QString &sheetName, const QStringList &columns, const QList<QList<QVariant>> &rows);

} // namespace Workbook
