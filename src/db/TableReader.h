#pragma once

#include "Database.h"
#include "RowBlock.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

// A whole table read at once: every row in the table's own order, the
// rowid first, and the rowids in the order its row source gives.
struct TableCopy {
    QStringList columns;
    RowBlock rows;
    std::vector<qint64> order; // empty when the row source gives no order
    qint64 counted = 0;        // the rows the table says it holds
};

// Reads through a read-only connection of its own, in one read transaction,
// so that it may run on any thread and the rows and their order are of one
// moment.
namespace TableReader {

// orderSql selects the rowids in order; empty: no order is read.
bool read(const Database &database, const QString &table, const QString &orderSql, TableCopy *copy,
          QString *error);
bool readOrder(const Database &database, const QString &orderSql, std::vector<qint64> *rowids,
               QString *error);

} // namespace TableReader
