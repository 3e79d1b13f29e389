#pragma once

#include "Connection.h"

#include <QObject>
#include <QString>

// The changes that desks commit to the books, as their engine tells them:
// each names its table. Every change is announced in its own transaction
// (Engine::announce); a desk hears its own too, and shows what it already shows.
class ChangeNotices : public QObject
{
    Q_OBJECT
public:
    explicit ChangeNotices(const Database &database, QObject *parent = nullptr);

    // False, with why, when the engine cannot be listened to; its books
    // then have no other desks.
    bool listen(QString *error);

signals:
    void changed(const QString &table);

private:
    Connection m_connection;
};
