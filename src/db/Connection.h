#pragma once

#include "Faults.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

// One connection to one database file, named by its full path. The file
// must exist: opening never creates a database. A file the user made
// read-only is opened for reading only.
class Connection
{
public:
    // Read-only as the user set it: no write permission at all, or none for
    // this process. A process run as root may write any file, so that it
    // cannot tell the user's intent from a failed open.
    static bool isReadOnlyFile(const QString &path);

    // Commits go through the faults (Faults.h).
    explicit Connection(const QString &path, Faults &faults = Faults::none());
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
    Faults *m_faults;
    QString m_name;
};
