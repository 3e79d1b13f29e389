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
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    begin(columns, rows);
    QList<QVariant> values(columns.size());
    while (query.next()) {
        for (int i = 0; i < columns.size(); ++i)
            values[i] = query.value(i);
        row(values);
    }
    return !query.lastError().isValid() || queryFailed(query, error);
}

} // namespace TableScan
