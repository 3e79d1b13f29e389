#include "PasswordFile.h"

#include "DataFiles.h"
#include "SideFile.h"

namespace PasswordFile {

std::optional<QString> read(QString *error)
{
    return SideFile::read(DataFiles::password, error);
}

bool matches(const QString &typed, const QString &stored)
{
    return typed + QStringLiteral("\r\n") == stored;
}

bool write(const QString &password, QString *error)
{
    return SideFile::write(DataFiles::password, password, error);
}

} // namespace PasswordFile
