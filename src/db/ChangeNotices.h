#pragma once

#include "Connection.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

// The changes that desks commit to the books, as their engine tells them:
// each names its table, and the row where one row changed. Every change is
// announced in its own transaction (Engine::announce); a desk hears its own
// too, and shows what it already shows. Notices that arrive together are
// told together, one signal per table.
class ChangeNotices : public QObject
{
    Q_OBJECT
public:
    explicit ChangeNotices(const Database &database, QObject *parent = nullptr);

    // False, with why, when the engine cannot be listened to; its books
    // then have no other desks.
    bool listen(QString *error);

signals:
    // The ids of the rows that changed; none: the whole table may have.
    void changed(const QString &table, const QList<qint64> &rowids);

private:
    void hear(const QString &payload);
    void tell();

    Connection m_connection;
    QHash<QString, QList<qint64>> m_heard; // an empty list: the whole table
};
