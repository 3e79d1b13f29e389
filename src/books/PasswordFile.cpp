#include "PasswordFile.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "ServerSideValues.h"
#include "SideFile.h"

#include <QFile>

namespace {

QString passwordIn(const QString &stored)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return stored.endsWith(lineBreak) ? stored.chopped(lineBreak.size()) : stored;
}

} // namespace

namespace PasswordFile {

std::optional<QString> read(const DataFolder &folder, QString *error)
{
    if (folder.isOnServer())
        return ServerSideValues::password(folder.database(DataFiles::customers), error);
    return SideFile::read(folder.filePath(DataFiles::password), error);
}

bool matches(const QString &typed, const QString &stored)
{
    return typed == passwordIn(stored);
}

bool holdsPassword(const DataFolder &folder)
{
    if (folder.isOnServer()) {
        QString error;
        const auto stored = read(folder, &error);
        return !stored || !passwordIn(*stored).isEmpty();
    }
    const QString path = folder.filePath(DataFiles::password);
    if (!QFile::exists(path))
        return false;
    QString error;
    const auto stored = SideFile::read(path, &error);
    return !stored || !passwordIn(*stored).isEmpty();
}

bool write(const DataFolder &folder, const QString &password, QString *error)
{
    if (folder.isOnServer()) // as pw.kvd would hold it
        return ServerSideValues::setPassword(folder.database(DataFiles::customers), password + QStringLiteral("\r\n"),
                                             error);
    return SideFile::write(folder.disk(), folder.filePath(DataFiles::password), password, error);
}

} // namespace PasswordFile
