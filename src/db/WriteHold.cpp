#include "WriteHold.h"

#include <QSqlError>
#include <QSqlQuery>

WriteHold::WriteHold(const QString &path) : m_connection(path) {}

WriteHold::~WriteHold()
{
    if (m_held)
        QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
}

bool WriteHold::take(QString *error)
{
    if (!m_connection.open(error))
        return false;
    QSqlQuery query(m_connection.database());
    if (!query.exec(QStringLiteral("PRAGMA busy_timeout = 2000")) ||
        !query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *error = query.lastError().text();
        return false;
    }
    m_held = true;
    return true;
}
