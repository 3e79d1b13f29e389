#include "ServerAddress.h"

#include "PgConnectionInfo.h"

namespace ServerAddress {

bool isKeepable(const QString &uri, QString *error)
{
    PgConnectionInfo::Parameters parameters;
    if (!PgConnectionInfo::parse(uri, &parameters, error))
        return false;
    for (const auto &[keyword, value] : std::as_const(parameters))
        if (keyword == "password") {
            *error = QStringLiteral("The address of the server may not hold a password: it would be kept "
                                    "in server.kvd for anyone to read. Put it in ~/.pgpass instead.");
            return false;
        }
    return true;
}

} // namespace ServerAddress
