#pragma once

#include "Database.h"
#include "Disk.h"
#include "Faults.h"

#include <QDir>
#include <QString>
#include <QStringList>

// The folder that holds the seven data files, read once at start-up and
// handed to everything that reads or writes them. A folder with none of the
// files is a fresh installation, and so is one that an installation left
// unfinished; any other folder with only some has lost data, and nothing may
// paper over that. The faults handed in with the folder go with it to every
// step that writes in it. Its databases are files that SQLite keeps, unless
// its books were moved to a server: then the three databases are the
// server's, and the folder holds server.kvd, its lock and what the move set
// aside.
class DataFolder
{
public:
    static inline const QString defaultPassword = QStringLiteral("bramblewood");

    explicit DataFolder(const QString &path, Faults &faults = Faults::none())
        : m_dir(path), m_faults(&faults)
    {
    }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    Faults &faults() const { return *m_faults; }
    Disk disk() const { return Disk(*m_faults); }
    // The folder whose books the server at the address keeps (server.kvd).
    DataFolder onServer(const QString &address) const;
    bool isOnServer() const { return !m_server.isEmpty(); }
    const QString &serverAddress() const { return m_server; }
    // One of the folder's databases, or a work file of one, by its file name.
    Database database(const QString &fileName) const;

    QStringList missingFiles() const;

    // True when an installation stopped half way (a crash or a failure) has
    // left its work files, and every data file present is still as the
    // installation made it, so that no record, balance or name is at stake.
    bool hasUnfinishedInstallation() const;

    // Creates all seven files: the three databases with their empty tables,
    // the default password, a balance of 0 and two empty name lists. Run on
    // a folder with none of them or an unfinished installation; one that
    // fails leaves an unfinished installation, which running it again completes.
    bool install(QString *error) const;

private:
    QDir m_dir;
    Faults *m_faults;
    QString m_server;
};
