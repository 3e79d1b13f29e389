#pragma once

#include "Database.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

// One connection to one database: the one way the program opens a database
// on a Qt SQL connection. Opening never creates a database unless asked to;
// a database the user made read-only is opened for reading only.
class Connection
{
public:
    explicit Connection(const Database &database, Engine::Access access = Engine::Access::ReadWrite);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool open(QString *error);
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;
    const Engine &engine() const { return *m_database.engine; }
    // Runs the statements of `work` as one transaction: all of them commit,
    // or none. The commit goes through the database's faults (Faults.h). A
    // connection the server dropped is told as such, and opened again at the
    // next transaction.
    bool inTransaction(const std::function<bool(QString *error)> &work, QString *error);
    // The database as messages name it.
    QString dataSource() const { return m_database.displayName(); }

private:
    bool runTransaction(const std::function<bool(QString *error)> &work, QString *error);

    Database m_database;
    Engine::Access m_access;
    QString m_name;
};
