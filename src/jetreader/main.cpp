// bramblewood-read-jet FILE TABLE prints one table of a Microsoft Access
// (Jet 3 or Jet 4) database for the conversion of Access data folders. It
// runs as a process of its own, so that a damaged file cannot take the
// program down, and whatever goes wrong ends up on stderr, where libmdb
// also writes its complaints.
#include "TableDump.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <initializer_list>

namespace {

long long fileSize(const char *path)
{
    struct stat status {};
    return ::stat(path, &status) == 0 ? status.st_size : 0;
}

// The catalog is itself a table, on page 2, whose map libmdb reads unchecked.
bool catalogMapFits(MdbHandle *mdb)
{
    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = 2;
    std::strcpy(entry.object_name, "MSysObjects");
    MdbTableDef *catalog = mdb_read_table(&entry);
    const bool fits = catalog && pageMapFits(mdb, catalog);
    if (catalog)
        mdb_free_tabledef(catalog);
    return fits;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: bramblewood-read-jet FILE TABLE\n", stderr);
        return 2;
    }
    // These change how libmdb reads text, dates and options: the file alone decides.
    for (const char *name : {"MDBICONV", "MDBOPTS", "MDB_JET3_CHARSET", "MDBPATH"})
        unsetenv(name);
    MdbHandle *mdb = mdb_open(argv[1], MDB_NOFLAGS);
    if (!mdb) {
        std::fprintf(stderr, "%s cannot be opened as an Access database.\n", argv[1]);
        return 1;
    }
    MdbTableDef *table = nullptr;
    if (!catalogMapFits(mdb) || !mdb_read_catalog(mdb, MDB_TABLE)) {
        std::fputs("The database's list of its tables is damaged.\n", stderr);
    } else {
        MdbCatalogEntry *entry = mdb_get_catalogentry_by_name(mdb, argv[2]);
        if (entry && entry->object_type == MDB_TABLE)
            table = mdb_read_table(entry);
        if (!table)
            std::fprintf(stderr, "The database holds no table %s.\n", argv[2]);
    }
    const bool dumped =
        table && mdb_read_columns(table) && dumpTable(mdb, table, stdout, fileSize(argv[1]));
    if (table)
        mdb_free_tabledef(table);
    mdb_close(mdb);
    return dumped && std::fflush(stdout) == 0 ? 0 : 1;
}
