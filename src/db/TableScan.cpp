#include "TableScan.h"

#include "Connection.h"
#include "SqlText.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace TableScan {

bool read(const Database &database, const QString &table,
          const std::function<void(const QStringList &columns, qint64 rows)> &begin,
          const std::function<void(QList<QVariant> &row)> &row, QString *error)
{
    Connection connection(database, Engine::Access::ReadOnly);
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(quotedName(table))) || !query.next())
        return queryFailed(query, error);
    const qint64 rows = query.value(0).toLongLong();
    if (!query.exec(QStringLiteral("SELECT * FROM %1").arg(quotedName(table))))
        return queryFailed(query, error);
    // A row id the engine keeps as a column of its own is no column of the books.
    const QSqlRecord record = query.record();
    QStringList columns;
    QList<int> kept;
    for (int i = 0; i < record.count(); ++i) {
        if (quotedName(record.fieldName(i)) == database.engine->rowId())
            continue;
        columns << record.fieldName(i);
        kept << i;
    }
    begin(columns, rows);
    QList<QVariant> values(columns.size());
    while (query.next()) {
        for (qsizetype i = 0; i < kept.size(); ++i)
            values[i] = query.value(kept[i]);
        row(values);
    }
    return !query.lastError().isValid() || queryFailed(query, error);
}

} // namespace TableScan
