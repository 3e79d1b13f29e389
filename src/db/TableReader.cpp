#include "TableReader.h"

#include "ReadConnection.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace {

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

// Every row of the prepared statement, cell after cell; the room is set
// aside before, so that the block is never copied while it grows.
bool readStatement(ReadConnection &connection, qint64 rowsExpected, qint64 textBytes,
                   QStringList *columnNames, RowBlock *rows, QString *error)
{
    *columnNames = connection.columnNames();
    *rows = RowBlock(columnNames->size());
    rows->reserve(rowsExpected, std::min(textBytes, RowBlock::maxTextBytes / 2));
    int status;
    while ((status = connection.step()) == SQLITE_ROW) {
        connection.appendRow(rows);
        // Half the room is left for the rows the user changes afterwards.
        if (rows->textBytes() > RowBlock::maxTextBytes / 2) {
            *error = QStringLiteral("The rows hold more text than the program can keep.");
            return false;
        }
    }
    rows->squeeze();
    return status == SQLITE_DONE || connection.failed(error);
}

// The file holds all the text and more, so its size is room enough.
bool readRows(ReadConnection &connection, const QString &path, const QString &table, TableCopy *copy,
              QString *error)
{
    return connection.prepare(
               QStringLiteral("SELECT rowid AS bramblewood_rowid, * FROM %1").arg(quoted(table)), error) &&
           readStatement(connection, copy->counted, QFileInfo(path).size(), &copy->columns, &copy->rows,
                         error);
}

bool readRowids(ReadConnection &connection, const QString &orderSql, std::vector<qint64> *rowids,
                QString *error)
{
    rowids->clear();
    if (!connection.prepare(orderSql, error))
        return false;
    int status;
    while ((status = connection.step()) == SQLITE_ROW)
        rowids->push_back(sqlite3_column_int64(connection.statement(), 0));
    return status == SQLITE_DONE || connection.failed(error);
}

} // namespace

namespace TableReader {

bool read(const QString &path, const QString &table, const QString &orderSql, TableCopy *copy,
          QString *error)
{
    ReadConnection connection(path);
    return connection.inReadTransaction(
        [&](QString *error) {
            return connection.number(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)), {},
                                     &copy->counted, error) &&
                   readRows(connection, path, table, copy, error) &&
                   (orderSql.isEmpty() || readRowids(connection, orderSql, &copy->order, error));
        },
        error);
}

bool readOrder(const QString &path, const QString &orderSql, std::vector<qint64> *rowids,
               QString *error)
{
    ReadConnection connection(path);
    return connection.opened(error) && readRowids(connection, orderSql, rowids, error);
}

} // namespace TableReader
