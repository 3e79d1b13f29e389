#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class DataFolder;

// Puts the files of a backup in place of a data folder's own, all of them or
// none: the current files are first kept in a folder of their own inside the
// data folder, and a failure part-way puts them back. A restore that a crash
// stopped part-way is put back at the next start, from the same kept files.
namespace DataRestore {

// The folder the current files are kept in, inside the data folder.
QString keptFolderName(const QDateTime &now);

struct Result {
    bool restored = false;
    QString kept;  // the kept folder's path; empty when it was removed again
    QString error; // what failed, and what became of the current files
};

// backup: a folder on the data folder's file system that holds the six files
// a backup holds, checked; they are moved from there. Each replaces its
// current file by a rename, databases first, balance.kvd last. pw.kvd stays.
// Each step is told to `progress`.
Result run(const DataFolder &folder, const QString &backup, const QDateTime &now,
           const std::function<void(const QString &)> &progress = {});

// At start, before the files are looked at: a restore left unfinished is
// undone. False, with the error, when that fails; the next start tries again.
bool undoUnfinished(const DataFolder &folder, bool *undone, QString *error);

// Where a restore unpacks its backup: a new hidden folder in the data folder,
// as a QTemporaryDir template.
QString workTemplate(const DataFolder &folder);
// Once an unfinished restore is undone: removes what restores stopped by a
// crash left (a backup unpacked, a mark half written, a file half put back).
void removeLeftovers(const DataFolder &folder);

} // namespace DataRestore
