#include "ServerAddress.h"

#include "PgConnectionInfo.h"

namespace ServerAddress {

bool isKeepable(const QString &uri, QString *error)
{
    PgConnectionInfo::Parameters parameters;
    if (!PgConnectionInfo::parse(uri, &parameters, error))
        return false;
    if (PgConnectionInfo::holdsPassword(uri)) {
        *error = QStringLiteral("The address of the server may not hold a password: it would be kept "
                                "in server.kvd for anyone to read. Put it in ~/.pgpass instead.");
        return false;
    }
    return true;
}

} // namespace ServerAddress

namespace ServerAddress {

bool needsPassword(const QString &uri)
{
    return PgConnectionInfo::needsPassword(uri);
}

void usePassword(const QString &password)
{
    PgConnectionInfo::setSessionPassword(password);
}

} // namespace ServerAddress
