#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

// One connection to one database file, named by its full path. The file
// must exist: opening never creates a database.
class Connection
{
public:
    explicit Connection(const QString &path);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool open(QString *error);
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;
    // Runs the statements of `work` as one transaction: all of them commit, or none.
    bool inTransaction(const std::function<bool(QString *error)> &work, QString *error);
    // The database's file name, as messages name it.
    QString dataSource() const;

private:
    QString m_path;
    QString m_name;
};
