#pragma once

#include "DataFolder.h"

#include <QString>

// A desk joins books that another desk moved to a server: a folder with no
// books, or the empty books of a new installation (which go), gets
// server.kvd once the server's database is found to hold the books as the
// program uses them.
namespace ConnectToServer {

bool run(const DataFolder &folder, const QString &uri, QString *error);

} // namespace ConnectToServer
