#pragma once

#include "DataSummary.h"

#include <QString>

class DataFolder;

// A backup archive read back: only an archive that this program's backup
// writes is taken, whole and sound, or not at all.
namespace BackupArchive {

// Checks that the archive holds exactly the six files a backup holds, under
// bare names in any letter case, each once; extracts them into the folder
// `work` under the data folder's names, each checked against its CRC; and
// reads what they hold (DataSummary::read, which checks each database and
// the balance). The error names the file and the check that failed.
bool extract(const QString &archive, const DataFolder &work, DataSummary *summary, QString *error);

} // namespace BackupArchive
