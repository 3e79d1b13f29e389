#pragma once

#include "ConvertedDatabase.h"
#include "DataFolder.h"
#include "DatabaseFormat.h"

#include <QDate>
#include <QFileDevice>
#include <QList>
#include <QString>

// Data folders of the older program, whose databases are in the Access
// format, taken into the program's own. Each database in that format is
// converted under a work name and checked; only when all are do the
// converted files take the databases' places. Converting the data folder
// itself first copies the originals, unchanged, into a dated folder beside
// them, and a failure on the way puts back whatever it changed. Converting a
// folder into another leaves it as it is and copies its other files along.
class AccessConversion
{
public:
    struct Found {
        DataFiles::Database database;
        DatabaseFormat format;
    };

    AccessConversion(const QString &from, const DataFolder &into, const QString &reader,
                     const QDate &today);

    // The program that reads Access files, installed beside this one.
    static QString readerBesideProgram();

    // Deletes the work files that a conversion stopped half way left behind.
    void removeLeftovers() const;

    // A conversion into another folder marks it while it puts files there.
    // The folder converted from, when a conversion into `folder` stopped
    // before it finished; empty when none did.
    static QString unfinishedFrom(const DataFolder &folder);
    // Removes what such a conversion wrote (the folder held no data files
    // before it), and its mark.
    static bool undoUnfinished(const DataFolder &folder, QString *error);
    // Finds the databases in the Access format; false, naming the file, when
    // a database is in a format the program cannot read.
    bool survey(QString *error);
    const QList<Found> &accessFiles() const { return m_found; }
    // Where the originals go: a folder in the data folder.
    QString originalsName() const { return m_originals; }

    // While the Access files are read: false calls the conversion off.
    void setKeepGoing(const JetTable::KeepGoing &keepGoing) { m_keepGoing = keepGoing; }

    // False with the reason when the conversion failed or was called off; the
    // folder is then as it was, unless putting the originals back failed too.
    bool run(QString *error);
    bool leftChanges() const { return m_leftChanges; }
    const QList<ConvertedDatabase> &converted() const { return m_converted; }

private:
    bool inPlace() const;
    QString workPath(const DataFiles::Database &database) const;
    QString pickOriginalsName() const;
    bool replaceInPlace(QString *error);
    void putBack(const QStringList &copied, bool madeFolder, QString *error);
    bool copyElsewhere(QString *error);

    QString m_from;
    DataFolder m_into;
    QString m_reader;
    JetTable::KeepGoing m_keepGoing;
    QDate m_today;
    QList<Found> m_found;
    QString m_originals;
    QList<QFileDevice::Permissions> m_permissions; // of the originals, as found
    QList<ConvertedDatabase> m_converted;
    bool m_leftChanges = false;
};
