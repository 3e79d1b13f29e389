#pragma once

#include "DataFolder.h"

#include <QString>

// The books on a server written as a data folder of the program's own format,
// as they stood at one moment (ServerSnapshot): the three databases and the
// side files a backup holds. Zipped as any folder is, the backup restores
// into a folder, or onto a server by Move To Server.
namespace ServerBackup {

// `into`: a folder holding none of the data files.
bool writeSnapshot(const DataFolder &onServer, const DataFolder &into, QString *error);

} // namespace ServerBackup
