#pragma once

#include "Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// Every row of a table, one after another, handed on as it is read and
// never held all at once.
namespace TableScan {

// `begin` learns the columns and how many rows follow before the first row
// reaches `row`, which may change the row it is handed.
bool read(const Database &database, const QString &table,
          const std::function<void(const QStringList &columns, qint64 rows)> &begin,
          const std::function<void(QList<QVariant> &row)> &row, QString *error);

} // namespace TableScan
