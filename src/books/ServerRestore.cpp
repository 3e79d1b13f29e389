#include "ServerRestore.h"

#include "DataFiles.h"
#include "FolderTables.h"
#include "OpenBooks.h"
#include "ServerLoad.h"

namespace ServerRestore {

bool otherDesks(const DataFolder &onServer, qint64 *count, QString *error)
{
    return ServerLoad::otherDesks(onServer.database(DataFiles::customers), count, error);
}

bool replace(const DataFolder &onServer, const DataFolder &work, QString *error)
{
    FolderTables rows;
    OpenBooks backup(work);
    if (!rows.read(work, error) || !backup.open(error))
        return false;
    const OpenBooks::SideValues &values = backup.values();
    const ServerLoad::SideValues side{values.balance.toDouble(), {}, values.incomeNames, values.expenseNames};
    return ServerLoad::replace(onServer.database(DataFiles::customers), rows.tables(), side, error);
}

} // namespace ServerRestore
