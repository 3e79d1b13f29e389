#include "ConnectToServer.h"

#include "DataFiles.h"
#include "OpenBooks.h"
#include "PasswordFile.h"
#include "ServerAddress.h"
#include "SideFile.h"
#include "TableFigures.h"

#include <QDir>
#include <QFile>

namespace {

// No file of books at all, or those of a new folder: no record stored, the
// balance at nothing, the password as installed.
bool holdsNoBooks(const DataFolder &folder, bool *empty, QString *error)
{
    if (folder.missingFiles().size() == DataFiles::all().size())
        return true;
    OpenBooks books(folder);
    if (!books.open(error))
        return false;
    *empty = books.values().balance == QLatin1String("0.00") &&
             PasswordFile::read(folder, error).value_or(QString()).trimmed() == DataFolder::defaultPassword;
    for (const auto &[file, table] : DataFiles::databases()) {
        qint64 rows = 0;
        TableFigures figures(folder.database(file));
        if (!figures.open(error) || !figures.count(table, &rows, error))
            return false;
        *empty = *empty && rows == 0;
    }
    return true;
}

} // namespace

namespace ConnectToServer {

bool run(const DataFolder &folder, const QString &uri, QString *error)
{
    if (!ServerAddress::isKeepable(uri, error))
        return false;
    if (QFile::exists(folder.filePath(DataFiles::server))) {
        *error = QStringLiteral("The data folder %1 opens books on a server already.")
                     .arg(QDir::toNativeSeparators(folder.path()));
        return false;
    }
    bool empty = true;
    if (!holdsNoBooks(folder, &empty, error))
        return false;
    if (!empty) {
        *error = QStringLiteral("The data folder %1 holds books of its own. Name a new folder to connect.")
                     .arg(QDir::toNativeSeparators(folder.path()));
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
    // The empty books of a new folder go: from now on the folder opens the server's.
    for (const QString &name : DataFiles::all())
        if (!folder.disk().remove(folder.filePath(name), error))
            return false;
    return SideFile::write(folder.disk(), folder.filePath(DataFiles::server), uri, error);
}

} // namespace ConnectToServer
