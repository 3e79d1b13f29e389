#pragma once

#include "Disk.h"

#include <QString>
#include <QStringList>

class DataFolder;

// The three databases as the exit keeps them: a backup copy of each as it was
// before the exit, and the database compacted into a work file that replaces
// it; each copy replaces the older file only once it has been checked. No
// step leaves a database or a backup copy missing or half-written, whenever
// it stops. The new names reach the disk with the flush of their folders,
// which the caller does once for each batch (Disk::syncFolders).
namespace DatabaseCompaction {

// Each path in the data folder, unless said otherwise.
struct DatabaseFiles {
    QString file;       // ".../Customers.mdb", or the file a link of that name points to
    QString backup;     // ".../CustomersBackup.mdb"
    QString backupWork; // ".../NewCustomersBackup.mdb"
    QString work;       // "New" and file's name, beside file so that a rename can replace it
    bool readOnly;      // as the user made it: backed up, but neither compacted nor replaced
};

// Customers, expenses and income, in the order the exit handles them.
QList<DatabaseFiles> databases(const DataFolder &folder);

// Copies the database file into a fresh file and checks it, as compact()
// does; the checked copy then takes the backup copy's name.
bool backUp(const Disk &disk, const DatabaseFiles &database, QString *error);
// Removes a work file left by an earlier exit, compacts the database into a
// fresh one and checks it: a readable database holding as many rows in each
// table as the database.
bool compact(const DatabaseFiles &database, QString *error);
// The checked work file takes the database's name in one rename.
bool replace(const Disk &disk, const DatabaseFiles &database, QString *error);

} // namespace DatabaseCompaction
