#include "TableFigures.h"

#include "SqlText.h"

#include <QSqlError>
#include <QSqlQuery>

bool TableFigures::heldStill(const std::function<bool(QString *error)> &work, QString *error)
{
    QSqlDatabase database = m_connection.database();
    if (!database.transaction()) {
        *error = database.lastError().text();
        return false;
    }
    const bool done = work(error);
    database.rollback();
    return done;
}

bool TableFigures::compactInto(const QString &copy, QString *error) const
{
    return m_connection.engine().compactInto(m_connection.database(), copy, error);
}

bool TableFigures::check(QString *damage, QString *error) const
{
    return m_connection.engine().check(m_connection.database(), damage, error);
}

bool TableFigures::count(const QString &table, qint64 *rows, QString *error) const
{
    QVariant counted;
    if (!value(QStringLiteral("SELECT count(*) FROM %1").arg(quotedName(table)), &counted, error))
        return false;
    *rows = counted.toLongLong();
    return true;
}

bool TableFigures::countAll(QMap<QString, qint64> *rows, QString *error) const
{
    QList<SchemaObject> objects;
    if (!m_connection.engine().objects(m_connection.database(), &objects, error))
        return false;
    for (const SchemaObject &object : std::as_const(objects)) {
        qint64 counted = 0;
        if (object.type != QLatin1String("table"))
            continue;
        if (!count(object.name, &counted, error))
            return false;
        rows->insert(object.name, counted);
    }
    return true;
}

bool TableFigures::total(const QString &table, const QString &column, double *sum, QString *error) const
{
    QVariant summed;
    if (!value(QStringLiteral("SELECT total(%1) FROM %2").arg(quotedName(column), quotedName(table)),
               &summed, error))
        return false;
    *sum = summed.toDouble();
    return true;
}

bool TableFigures::largest(const QString &table, const QString &column, QVariant *largest,
                           QString *error) const
{
    return value(QStringLiteral("SELECT max(%1) FROM %2").arg(quotedName(column), quotedName(table)),
                 largest, error);
}

// The first column of the query's first row.
bool TableFigures::value(const QString &query, QVariant *value, QString *error) const
{
    QSqlQuery q(m_connection.database());
    if (!q.exec(query) || !q.next()) {
        *error = q.lastError().isValid() ? q.lastError().text() : m_connection.database().lastError().text();
        return false;
    }
    *value = q.value(0);
    return true;
}
