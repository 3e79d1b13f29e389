#include "TableRows.h"

#include "Connection.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

} // namespace

bool TableRows::describe(const QString &rowSource, QString *error)
{
    static const QRegularExpression query(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+\[?(\w+)\]?(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tableName(QStringLiteral(R"(^\w+$)"));
    if (tableName.match(rowSource).hasMatch()) {
        m_table = rowSource;
        m_orderSql.clear();
    } else if (const auto match = query.match(rowSource); match.hasMatch()) {
        m_table = match.captured(1);
        // Only the rowids: SQLite reads them from an index, where reading
        // whole rows in that order would jump about the whole file.
        m_orderSql = QStringLiteral("SELECT rowid FROM %1%2").arg(quoted(m_table), match.captured(2));
    } else {
        *error = QStringLiteral("The row source is neither a table nor a query of one: %1")
                     .arg(rowSource);
        return false;
    }
    QSqlQuery info(m_connection.database());
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_table))))
        return failed(info, error);
    m_assignedFields.clear();
    while (info.next())
        if (info.value(5).toInt() == 1 &&
            info.value(2).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            m_assignedFields << info.value(1).toString();
    return true;
}

bool TableRows::readRow(qint64 rowid, const QStringList &columns, QList<QVariant> *values,
                        QString *error)
{
    QStringList selected{QStringLiteral("rowid")};
    for (const QString &column : columns.mid(1))
        selected << quoted(column);
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(selected.join(QLatin1String(", ")), quoted(m_table)));
    query.addBindValue(rowid);
    if (!query.exec())
        return failed(query, error);
    if (!query.next()) {
        *error = QStringLiteral("The record is no longer in %1; another program may have deleted it.")
                     .arg(m_table);
        return false;
    }
    values->clear();
    for (int i = 0; i < columns.size(); ++i)
        values->append(query.value(i));
    return true;
}

bool TableRows::insert(const QVariantHash &values, qint64 *rowid, QString *error)
{
    QStringList columns, marks;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << quoted(it.key());
        marks << QStringLiteral("?");
    }
    QSqlQuery query(m_connection.database());
    query.prepare(columns.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table))
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoted(m_table), columns.join(QLatin1String(", ")),
                                 marks.join(QLatin1String(", "))));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    if (!query.exec())
        return failed(query, error);
    *rowid = query.lastInsertId().toLongLong();
    return true;
}

bool TableRows::update(qint64 rowid, const QVariantHash &values, QString *error)
{
    if (values.isEmpty())
        return true;
    QStringList assignments;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        assignments << quoted(it.key()) + QStringLiteral(" = ?");
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(quoted(m_table), assignments.join(QLatin1String(", "))));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    query.addBindValue(rowid);
    if (!query.exec())
        return failed(query, error);
    if (query.numRowsAffected() == 0) {
        *error = QStringLiteral("The record is no longer in %1; another program may have deleted it.")
                     .arg(m_table);
        return false;
    }
    return true;
}

bool TableRows::remove(qint64 rowid, QString *error)
{
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    query.addBindValue(rowid);
    return query.exec() || failed(query, error);
}

bool TableRows::dataVersion(qint64 *version, QString *error)
{
    QSqlQuery query(m_connection.database());
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        return failed(query, error);
    *version = query.value(0).toLongLong();
    return true;
}
