#pragma once

#include <QString>

// The address of the server that keeps a folder's books, as server.kvd
// holds it: a PostgreSQL connection URI.
namespace ServerAddress {

// False, with why, for an address that cannot be read, or one that holds a
// password, which would lie in server.kvd for anyone to read.
bool isKeepable(const QString &uri, QString *error);

// True when the server asks for a password that neither ~/.pgpass nor
// PGPASSWORD gives.
bool needsPassword(const QString &uri);
// The password every connection of this session gives where libpq has none.
void usePassword(const QString &password);

} // namespace ServerAddress
