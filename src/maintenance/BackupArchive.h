#pragma once

#include "DataSummary.h"
#include "JetTable.h"

#include <QDate>
#include <QString>
#include <QStringList>

class DataFolder;

// A backup archive read back: only an archive that holds what this program's
// backup holds is taken, whole and sound, or not at all.
namespace BackupArchive {

// How much the files of a backup may take once unpacked into `work`: twenty
// times what the data folder `current` holds now (none: nothing) and a
// gigabyte more, never more than the free space there.
qint64 roomFor(const DataFolder *current, const QString &work);

// How an archive is read back.
struct Unpacking {
    qint64 room = 0;      // the most its files may take once unpacked (roomFor)
    QString accessReader; // converts databases in the Access format; empty: they are refused
    QDate today;          // names the folder in `work` that keeps the Access originals
    JetTable::KeepGoing keepGoing; // while Access files are read: false calls it off
};

struct Contents {
    DataSummary summary;
    QStringList accessDatabases; // those that were in the Access format, now converted
};

// Checks that the archive holds exactly the six files a backup holds, under
// bare names in any letter case, each once, at its top or all in one folder,
// and that together they declare no more than the room; extracts them into
// the folder `work` under the data folder's names, each checked against its
// CRC and its declared size; converts the databases of a backup the older
// program made, which are in the Access format (AccessConversion); checks
// that each database holds nothing but the program's table and indexes; and
// reads what they hold (DataSummary::read, which checks each database and the
// balance). The error names the file and the check that failed.
bool extract(const QString &archive, const DataFolder &work, const Unpacking &how,
             Contents *contents, QString *error);

} // namespace BackupArchive
