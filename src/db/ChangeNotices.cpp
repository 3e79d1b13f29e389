#include "ChangeNotices.h"

#include <QSqlDriver>
#include <QVariant>

ChangeNotices::ChangeNotices(const Database &database, QObject *parent)
    : QObject(parent), m_connection(database, Engine::Access::ReadOnly)
{
}

bool ChangeNotices::listen(QString *error)
{
    if (!m_connection.open(error))
        return false;
    QSqlDatabase db = m_connection.database();
    if (!m_connection.engine().listen(db)) {
        *error = QStringLiteral("%1 tells no changes.").arg(m_connection.dataSource());
        return false;
    }
    connect(db.driver(), &QSqlDriver::notification, this,
            [this](const QString &, QSqlDriver::NotificationSource, const QVariant &payload) {
                emit changed(payload.toString());
            });
    return true;
}
