#pragma once

#include "DataFolder.h"

#include <QString>

// A backup restored onto the books of a server: every desk's books change at
// once, so a restore waits until this desk is the only one open.
namespace ServerRestore {

// How many other copies of the program have the server's books open.
bool otherDesks(const DataFolder &onServer, qint64 *count, QString *error);

// The server's books replaced by those of the backup read into `work` (its
// three databases and side files), in one transaction; the password stays.
bool replace(const DataFolder &onServer, const DataFolder &work, QString *error);

} // namespace ServerRestore
