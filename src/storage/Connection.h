#pragma once

#include <QSqlDatabase>
#include <QString>

// One connection to one database file, named by a connection string whose
// "Data Source" is a file name; a relative name lies in the current folder.
// The file must exist: opening never creates a database.
class Connection
{
public:
    explicit Connection(const QString &connectionString);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool open(QString *error);
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;
    // The file named by the connection string, as given there.
    QString dataSource() const { return m_dataSource; }

private:
    QString m_dataSource;
    QString m_name;
};
