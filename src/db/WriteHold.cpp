#include "WriteHold.h"

#include <QSqlQuery>

WriteHold::WriteHold(const Database &database) : m_connection(database) {}

WriteHold::~WriteHold()
{
    if (m_held)
        QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
}

bool WriteHold::take(QString *error)
{
    if (!m_connection.open(error))
        return false;
    m_held = m_connection.engine().holdWrites(m_connection.database(), error);
    return m_held;
}
