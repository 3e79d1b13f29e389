#include "ConnectToServer.h"

#include "DataFiles.h"
#include "OpenBooks.h"
#include "ServerAddress.h"
#include "SideFile.h"

#include <QDir>
#include <QFile>

namespace ConnectToServer {

bool run(const DataFolder &folder, const QString &uri, QString *error)
{
    if (!ServerAddress::isKeepable(uri, error))
        return false;
    for (const QString &name : DataFiles::all() + QStringList{DataFiles::server})
        if (QFile::exists(folder.filePath(name))) {
            *error = QStringLiteral("The data folder %1 holds books of its own (%2). Name a new folder to "
                                    "connect.")
                         .arg(QDir::toNativeSeparators(folder.path()), name);
            return false;
        }
    QString reason;
    if (!OpenBooks(folder.onServer(uri)).open(&reason)) {
        *error = QStringLiteral("The server's books cannot be opened: %1").arg(reason);
        return false;
    }
    if (!QDir().mkpath(folder.path())) {
        *error = QStringLiteral("The data folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder.path()));
        return false;
    }
    return SideFile::write(folder.disk(), folder.filePath(DataFiles::server), uri, error);
}

} // namespace ConnectToServer
