#include "DataEnvironment.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

bool DataEnvironment::run(const QString &command, const QVariantList &parameters,
                          ReportRows *rows, QString *error)
{
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(command)) {
        *error = query.lastError().text();
        return false;
    }
    for (const QVariant &parameter : parameters)
        query.addBindValue(parameter);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    const QSqlRecord record = query.record();
    rows->columns.clear();
    rows->rows.clear();
    for (int i = 0; i < record.count(); ++i)
        rows->columns << record.fieldName(i);
    while (query.next()) {
        QList<QVariant> row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(query.value(i));
        rows->rows.append(std::move(row));
    }
    if (query.lastError().isValid()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}
