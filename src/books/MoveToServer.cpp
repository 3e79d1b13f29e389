#include "MoveToServer.h"

#include "DataFiles.h"
#include "FolderTables.h"
#include "OpenBooks.h"
#include "PasswordFile.h"
#include "PostgresEngine.h"
#include "ServerAddress.h"
#include "ServerLoad.h"
#include "SideFile.h"

#include <QDir>
#include <QFile>
#include <cmath>

namespace {

using Figures = QMap<QString, ServerLoad::Figures>;

// Sums are compared to the cent: the server adds them in an order of its own.
bool sameFigures(const Figures &expected, const Figures &read, QString *error)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const ServerLoad::Figures &server = read.value(it.key());
        if (server.rows != it->rows || std::abs(server.total - it->total) >= 0.005) {
            *error = QStringLiteral("The server read back %1 rows of %2 totalling %3, where the folder holds "
                                    "%4 totalling %5; nothing was moved.")
                         .arg(server.rows).arg(it.key()).arg(server.total, 0, 'f', 2)
                         .arg(it->rows).arg(it->total, 0, 'f', 2);
            return false;
        }
    }
    return true;
}

// The files the server now stands for go, so that the folder opens the server.
bool setFilesAside(const DataFolder &folder, const QString &kept, QString *error)
{
    if (!QDir().mkpath(kept)) {
        *error = QStringLiteral("The folder %1 could not be made.").arg(kept);
        return false;
    }
    QStringList moved;
    for (const QString &name : DataFiles::all()) {
        if (!QFile::exists(folder.filePath(name)))
            continue;
        if (!folder.disk().replaceUnsynced(folder.filePath(name), QDir(kept).filePath(name), error))
            return false;
        moved << QDir(kept).filePath(name);
    }
    return folder.disk().syncFolders(moved + QStringList{folder.filePath(DataFiles::customers)}, error);
}

} // namespace

namespace MoveToServer {

Result run(const DataFolder &folder, const QString &uri, const QDate &today)
{
    Result result;
    if (!ServerAddress::isKeepable(uri, &result.error))
        return result;
    OpenBooks open(folder);
    const std::optional<QString> password = PasswordFile::read(folder, &result.error);
    if (!open.open(&result.error) || !password)
        return result;
    FolderTables rows;
    if (!rows.read(folder, &result.error))
        return result;
    const Database server = PostgresEngine::server(uri, folder.faults());
    bool empty = false;
    if (!ServerLoad::isEmpty(server, &empty, &result.error))
        return result;
    if (!empty) {
        result.error = QStringLiteral("The server's database already holds books. Name an empty one.");
        return result;
    }
    const OpenBooks::SideValues &values = open.values();
    const ServerLoad::SideValues side{values.balance.toDouble(), *password, values.incomeNames, values.expenseNames};
    const auto accept = [&](const Figures &read, QString *error) { return sameFigures(rows.figures(), read, error); };
    if (!ServerLoad::load(server, rows.tables(), side, accept, &result.error))
        return result;
    result.kept = folder.filePath(QStringLiteral("Moved to server ") + today.toString(Qt::ISODate));
    result.moved = SideFile::write(folder.disk(), folder.filePath(DataFiles::server), uri, &result.error) &&
                   setFilesAside(folder, result.kept, &result.error);
    return result;
}

} // namespace MoveToServer
