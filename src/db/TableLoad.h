#pragma once

#include "Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

// A new database made from rows in one go, and read back to see that they
// arrived.
namespace TableLoad {

// The columns that the schema's statements give the table.
QList<TableColumn> columnsOf(const QStringList &schema, const QString &table);

// Creates the database from the schema and inserts the rows into the table,
// in their order, in one transaction. Where `key` names the column the table
// numbers its rows by, the numbering goes on after lastKey or the highest
// number stored, whichever is larger. A failure leaves no database.
bool write(const Database &database, const QStringList &schema, const QString &table,
           const QStringList &columns, const QList<QVariantList> &rows, const QString &key,
           qint64 lastKey, QString *error);

// Hands on the columns of each row in the table's own order, for as long as
// `row` returns true.
bool readBack(const Database &database, const QString &table, const QStringList &columns,
              const std::function<bool(const QVariantList &row)> &row, QString *error);

// The number the table gives its next row, where it numbers them.
std::optional<qint64> nextKey(const Database &database, const QString &table);

} // namespace TableLoad
