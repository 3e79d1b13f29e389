#pragma once

#include "CarriedTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// A database of ours written under a work name from carried rows, and read
// back to see that every row and value arrived.
namespace WorkFile {

// The columns of the table that the schema statements create.
QList<CarriedTable::Column> columnsOf(const QStringList &schema, const QString &table);

// Writes schema and rows in one transaction, the rows in their order. Where
// the table numbers its rows itself, the numbering goes on after lastKey or
// the highest number stored, whichever is larger. A failure leaves no file.
bool write(const QString &path, const QStringList &schema, const QString &table,
           const QList<CarriedTable::Column> &columns, const QList<QVariantList> &rows,
           qint64 lastKey, QString *error);

// True when the table at path holds exactly these rows, in this order, each
// value equal; a row written without its number may have any.
bool check(const QString &path, const QString &table, const QList<CarriedTable::Column> &columns,
           const QList<QVariantList> &rows, QString *error);

// The number the table gives its next row, where it numbers them.
std::optional<qint64> nextNumber(const QString &path, const QString &table);

} // namespace WorkFile
