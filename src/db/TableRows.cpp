#include "TableRows.h"

#include "Connection.h"
#include "SqlText.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The clause with every word that names one of the columns quoted as the
// table names it, so that an engine that folds unquoted names to lower case
// finds the columns.
QString withColumnsQuoted(QString clause, const QList<TableColumn> &columns)
{
    for (const TableColumn &column : columns) {
        const QRegularExpression word(QStringLiteral(R"((?<!["\w])%1(?!["\w]))")
                                          .arg(QRegularExpression::escape(column.name)),
                                      QRegularExpression::CaseInsensitiveOption);
        clause.replace(word, quotedName(column.name));
    }
    return clause;
}

} // namespace

bool TableRows::describe(const QString &rowSource, QString *error)
{
    static const QRegularExpression query(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+\[?(\w+)\]?(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tableName(QStringLiteral(R"(^\w+$)"));
    QString rest;
    const auto match = query.match(rowSource);
    if (tableName.match(rowSource).hasMatch()) {
        m_table = rowSource;
    } else if (match.hasMatch()) {
        m_table = match.captured(1);
        rest = match.captured(2);
    } else {
        *error = QStringLiteral("The row source is neither a table nor a query of one: %1")
                     .arg(rowSource);
        return false;
    }
    QList<TableColumn> columns;
    if (!m_connection.engine().columns(m_connection.database(), m_table, &columns, error))
        return false;
    // Only the row ids: the engine reads them from an index, where reading
    // whole rows in that order would jump about the whole file.
    m_orderSql = rest.isNull() ? QString()
                               : QStringLiteral("SELECT %1 FROM %2%3")
                                     .arg(m_connection.engine().rowId(), quotedName(m_table),
                                          withColumnsQuoted(rest, columns));
    m_assignedFields.clear();
    for (const TableColumn &column : std::as_const(columns))
        if (column.key && column.type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            m_assignedFields << column.name;
    return true;
}

bool TableRows::readRow(qint64 rowid, const QStringList &columns, QList<QVariant> *values,
                        QString *error)
{
    std::optional<QList<QVariant>> read;
    if (!readRowIfThere(rowid, columns, &read, error))
        return false;
    if (!read) {
        *error = QStringLiteral("The record is no longer in %1; another program may have deleted it.")
                     .arg(m_table);
        return false;
    }
    *values = std::move(*read);
    return true;
}

bool TableRows::readRowIfThere(qint64 rowid, const QStringList &columns, std::optional<QList<QVariant>> *values,
                               QString *error)
{
    const QString rowId = m_connection.engine().rowId();
    QStringList selected{rowId};
    for (const QString &column : columns.mid(1))
        selected << quotedName(column);
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                      .arg(selected.join(QLatin1String(", ")), quotedName(m_table), rowId));
    query.addBindValue(rowid);
    if (!query.exec())
        return queryFailed(query, error);
    values->reset();
    if (!query.next())
        return true;
    values->emplace();
    for (int i = 0; i < columns.size(); ++i)
        (*values)->append(query.value(i));
    return true;
}

bool TableRows::insert(const QVariantHash &values, qint64 *rowid, QString *error)
{
    QStringList columns, marks;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << quotedName(it.key());
        marks << QStringLiteral("?");
    }
    QSqlQuery query(m_connection.database());
    query.prepare(columns.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2")
                            .arg(quotedName(m_table), m_connection.engine().rowId())
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                            .arg(quotedName(m_table), columns.join(QLatin1String(", ")),
                                 marks.join(QLatin1String(", ")), m_connection.engine().rowId()));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    if (!query.exec() || !query.next())
        return queryFailed(query, error);
    *rowid = query.value(0).toLongLong();
    query.finish(); // a statement still open would keep its transaction from committing
    return true;
}

bool TableRows::update(const RowAsRead &row, const QVariantHash &values, QString *error)
{
    if (values.isEmpty())
        return true;
    QStringList assignments;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        assignments << quotedName(it.key()) + QStringLiteral(" = ?");
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(quotedName(m_table), assignments.join(QLatin1String(", ")), asRead(row)));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    bindAsRead(query, row);
    if (!query.exec())
        return queryFailed(query, error);
    return query.numRowsAffected() > 0 || notAsRead(row.values.value(0).toLongLong(), error);
}

bool TableRows::remove(const RowAsRead &row, QString *error)
{
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedName(m_table), asRead(row)));
    bindAsRead(query, row);
    if (!query.exec())
        return queryFailed(query, error);
    return query.numRowsAffected() > 0 || notAsRead(row.values.value(0).toLongLong(), error);
}

// The row as it was read, every column of it: a row that another program or
// another desk changed since is not this one any more.
QString TableRows::asRead(const RowAsRead &row) const
{
    QStringList same{m_connection.engine().rowId() + QStringLiteral(" = ?")};
    for (const QString &column : row.columns.mid(1))
        same << quotedName(column) + QStringLiteral(" IS NOT DISTINCT FROM ?");
    return same.join(QLatin1String(" AND "));
}

void TableRows::bindAsRead(QSqlQuery &query, const RowAsRead &row) const
{
    for (const QVariant &value : row.values)
        query.addBindValue(value);
}

// Why a step found no row as it was read: changed since, or gone.
bool TableRows::notAsRead(qint64 rowid, QString *error)
{
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(quotedName(m_table), m_connection.engine().rowId()));
    query.addBindValue(rowid);
    if (!query.exec())
        return queryFailed(query, error);
    *error = query.next() ? QStringLiteral("This record was changed at another desk since it was shown, so "
                                           "nothing was stored. It is shown now as it is.")
                          : QStringLiteral("The record is no longer in %1; another program may have deleted it.")
                                .arg(m_table);
    return false;
}

bool TableRows::dataVersion(qint64 *version, QString *error)
{
    return m_connection.engine().changeCount(m_connection.database(), version, error);
}
