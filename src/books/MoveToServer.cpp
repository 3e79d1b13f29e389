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

// The server holds the books: the folder comes to name it.
MoveToServer::Result finish(const DataFolder &folder, const QString &uri, const QDate &today)
{
    MoveToServer::Result result;
    result.kept = folder.filePath(QStringLiteral("Moved to server ") + today.toString(Qt::ISODate));
    result.moved = SideFile::write(folder.disk(), folder.filePath(DataFiles::server), uri, &result.error) &&
                   setFilesAside(folder, result.kept, &result.error) &&
                   folder.disk().remove(folder.filePath(MoveToServer::unfinishedFile), &result.error);
    return result;
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
    // Written before the load commits, so that a start after a crash finishes the move.
    if (!SideFile::write(folder.disk(), folder.filePath(unfinishedFile), uri, &result.error))
        return result;
    const OpenBooks::SideValues &values = open.values();
    const ServerLoad::SideValues side{values.balance.toDouble(), *password, values.incomeNames, values.expenseNames};
    const auto accept = [&](const Figures &read, QString *error) { return sameFigures(rows.figures(), read, error); };
    if (!ServerLoad::load(server, rows.tables(), side, accept, &result.error)) {
        folder.disk().remove(folder.filePath(unfinishedFile), &result.error);
        return result;
    }
    return finish(folder, uri, today);
}

Result finishUnfinished(const DataFolder &folder, const QDate &today, bool *finished)
{
    Result result;
    *finished = false;
    const QString marker = folder.filePath(unfinishedFile);
    if (!QFile::exists(marker)) {
        result.moved = true;
        return result;
    }
    const std::optional<QString> uri = SideFile::read(marker, &result.error);
    bool empty = true;
    if (!uri || !ServerLoad::isEmpty(PostgresEngine::server(uri->trimmed(), folder.faults()), &empty, &result.error))
        return result;
    if (empty) { // the load never committed: the folder keeps its books
        result.moved = folder.disk().remove(marker, &result.error);
        return result;
    }
    *finished = true;
    return finish(folder, uri->trimmed(), today);
}

} // namespace MoveToServer
