#pragma once

#include "DataSummary.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class DataFolder;
class cZip;

// The backup of the data files to removable media: the six files (not the
// password) packed into Backup.zip in the data folder, and that archive
// copied to the medium's root as BackupMMDDYYYY.zip, so that the backups of
// different days sit side by side.
namespace FloppyBackup {

inline const QString archiveFile = QStringLiteral("Backup.zip");

// The files as the backup lists them; Linux names are case-sensitive, so each
// is found in the folder without regard to letter case, under its real name.
QStringList files(const DataFolder &folder, QStringList *missing);

// The first removable medium mounted under /media/$USER, /run/media/$USER or
// /media; empty when there is none.
QString mediumRoot();
// Where the backup looks for a medium: mediumRoot, or a stand-in.
using MediumFinder = std::function<QString()>;

QString dailyName(const QDate &today);

// The folder's Backup.zip read back as a restore reads it (BackupArchive) and
// compared with `present`, the folder's own summary: the same rows, newest
// dates and balance. The error names the first figure that differs.
bool check(const DataFolder &folder, const DataSummary &present, DataSummary *packed,
           QString *error);

enum class Outcome { Done, ArchiveFailed, CheckFailed, NoMedium, CopyFailed };
struct Result {
    Outcome outcome;
    QString error;
    QString copy;        // the copy's path on the medium, once made
    DataSummary summary; // what the archive holds, once checked
};

// Builds the archive in the data folder and checks it: read back as a
// restore reads it (BackupArchive), each table holding as many rows as the
// data folder's. Then copies it to the medium (MediumCopy). The archive is
// built and checked even when there is no medium.
Result run(cZip &zip, const DataFolder &folder, const QString &medium, const QDate &today);

} // namespace FloppyBackup
