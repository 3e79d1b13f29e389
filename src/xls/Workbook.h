#pragma once

#include "SharedStrings.h"

#include <QByteArrayList>
#include <QDate>
#include <QList>
#include <QStringList>
#include <QVariant>

// An Excel 97 (BIFF8) workbook of one table: a worksheet named sheetName with
// a header row of the column names, then one row per table row. A sheet holds
// at most 65,536 rows, so rows beyond that continue on further sheets
// "sheetName (2)", "sheetName (3)", each with its own header row. The rows
// come one at a time, as a query reads them, and finish() makes the file.
//
// Excel's own limits apply: sheetName must not be empty, characters Excel
// forbids in sheet names (: \ / ? * [ ]) become '_', and it is cut so that each
// sheet name keeps to 31 characters; only the first 256 columns are written; a
// text is cut to 32,767 characters; a date before 1900, which no spreadsheet
// shows, is written as its ISO text.
class Workbook
{
public:
    // expectedRows makes room for the records of that many rows at once.
    Workbook(const QString &sheetName, const QStringList &columns, qsizetype expectedRows);

    // Cells: a null or invalid QVariant is an empty cell; int, qlonglong, double (and other
    // numeric types) are numbers; QDate is a date (a number with a date format, shown as a date by
    // spreadsheet programs); anything else is text (toString()). An empty text, an invalid date
    // and a number that is not finite are empty cells too.
    void addRow(const QList<QVariant> &row);

    // The bytes of the file, in parts that follow one another; no row may
    // follow.
    QByteArrayList finish();
    // How many texts were longer than a cell holds, and cut.
    qsizetype textsCut() const { return m_textsCut; }

private:
    void openSheet();
    void closeSheet();
    void addCell(quint16 column, const QVariant &value);
    void addNumber(quint16 column, quint16 xf, double value);
    void addDate(quint16 column, QDate date);
    void addText(quint16 column, QString text);
    void appendCell(quint16 type, quint16 column, quint16 xf, quint64 value, qsizetype valueSize);

    QString m_sheetName;
    QStringList m_columns;
    // The sheets' text cells fill the string table, which the file holds
    // before them: they wait here until the table is complete.
    SharedStrings m_strings;
    QByteArray m_sheets;
    QList<qsizetype> m_sheetStarts; // where each sheet's BOF stands in m_sheets
    qsizetype m_dimensionsAt = 0;   // of the open sheet
    qsizetype m_row = 0;            // the next row of the open sheet, the header row being 0
    quint32 m_rowEnd = 0;           // one past the last row holding a cell
    quint16 m_columnEnd = 0;
    qsizetype m_textsCut = 0;
};
