#pragma once

#include "PostgresServer.h"
#include "TempDataFolder.h"

// The books of the folder moved onto a new database of the server, which
// the folder names from then on; the database's address.
QString moveOntoServer(const PostgresServer &server, const TempDataFolder &folder);
