#include "ChangeNotices.h"

#include <QSqlDriver>
#include <QTimer>
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
                hear(payload.toString());
            });
    return true;
}

void ChangeNotices::hear(const QString &payload)
{
    if (m_heard.isEmpty())
        QTimer::singleShot(0, this, &ChangeNotices::tell);
    const QString table = payload.section(u' ', 0, 0);
    bool isRow = false;
    const qint64 rowid = payload.section(u' ', 1, 1).toLongLong(&isRow);
    const bool known = m_heard.contains(table);
    QList<qint64> &rowids = m_heard[table];
    if (!isRow)
        rowids.clear();
    else if (!known || !rowids.isEmpty())
        rowids << rowid;
}

void ChangeNotices::tell()
{
    const QHash<QString, QList<qint64>> heard = std::exchange(m_heard, {});
    for (auto it = heard.cbegin(); it != heard.cend(); ++it)
        emit changed(it.key(), it.value());
}
