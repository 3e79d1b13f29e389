#include "DatabaseCompaction.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "SqliteEngine.h"
#include "TableFigures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <functional>

namespace {

// Each table's name and number of rows.
using RowCounts = QMap<QString, qint64>;

// What the exit needs of a copy: a sound database holding as many rows in
// each table as the source.
bool isFaithful(const Database &work, const RowCounts &source, QString *error)
{
    TableFigures copy(work);
    QString damage;
    RowCounts copied;
    if (!copy.open(error) || !copy.check(&damage, error))
        return false;
    if (!damage.isEmpty()) {
        *error = QStringLiteral("The copy is damaged: %1").arg(damage);
        return false;
    }
    if (!copy.countAll(&copied, error))
        return false;
    for (auto table = source.begin(); table != source.end(); ++table) {
        if (copied.value(table.key(), -1) != table.value()) {
            *error = QStringLiteral("The copy holds %1 rows instead of %2.")
                         .arg(copied.value(table.key()))
                         .arg(table.value());
            return false;
        }
    }
    return true;
}

// The database is held still while its rows are counted and the copy made,
// so that both are of one moment even while another program writes. The
// connection may write, so that a change another program left half done is
// undone first, at full safety.
bool copyHeldStill(const Database &file, const std::function<bool(QString *error)> &copy,
                   RowCounts *rows, QString *error)
{
    TableFigures source(file, Engine::Access::ReadWrite);
    const auto countAndCopy = [&](QString *error) {
        return source.countAll(rows, error) && copy(error);
    };
    return source.open(error) && source.heldStill(countAndCopy, error);
}

// The copy must prove faithful before it takes any name.
bool copyChecked(const QString &file, const QString &work,
                 const std::function<bool(QString *error)> &copy, QString *error)
{
    if (QFile::exists(work) && !QFile::remove(work)) {
        *error = QStringLiteral("%1, left by an earlier exit, could not be removed.")
                     .arg(QFileInfo(work).fileName());
        return false;
    }
    RowCounts rows;
    if (copyHeldStill(SqliteEngine::file(file), copy, &rows, error) &&
        isFaithful(SqliteEngine::file(work), rows, error))
        return true;
    QFile::remove(work);
    return false;
}

bool replaceWith(const Disk &disk, const QString &work, const QString &file, QString *error)
{
    if (disk.replaceUnsynced(work, file, error))
        return true;
    QFile::remove(work); // no work file outlives the exit
    return false;
}

} // namespace

namespace DatabaseCompaction {

QList<DatabaseFiles> databases(const DataFolder &folder)
{
    QList<DatabaseFiles> all;
    for (const auto &[name, table] : DataFiles::databases()) {
        // A database that is a link is compacted where the link points, so
        // that the link stays and its target does not go stale.
        const QFileInfo info(folder.filePath(name));
        const QFileInfo file(info.isSymLink() && info.exists() ? info.canonicalFilePath()
                                                               : info.filePath());
        all.append({file.filePath(), folder.filePath(table + QStringLiteral("Backup.mdb")),
                    folder.filePath(QStringLiteral("New%1Backup.mdb").arg(table)),
                    file.dir().filePath(QStringLiteral("New") + file.fileName()),
                    SqliteEngine::instance().isReadOnly(file.filePath())});
    }
    return all;
}

bool backUp(const Disk &disk, const DatabaseFiles &database, QString *error)
{
    // Open until the read transaction is over: closing any descriptor of a
    // file drops every lock this process holds on it, the transaction's too.
    QFile source(database.file);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    const auto copy = [&](QString *error) {
        return disk.copyUnsynced(source, database.backupWork, error);
    };
    return copyChecked(database.file, database.backupWork, copy, error) &&
           replaceWith(disk, database.backupWork, database.backup, error);
}

bool compact(const DatabaseFiles &database, QString *error)
{
    // On a connection of its own: the engine compacts outside any transaction.
    const auto vacuum = [&](QString *error) {
        TableFigures source(SqliteEngine::file(database.file), Engine::Access::ReadWrite);
        return source.open(error) && source.compactInto(database.work, error);
    };
    return copyChecked(database.file, database.work, vacuum, error);
}

bool replace(const Disk &disk, const DatabaseFiles &database, QString *error)
{
    return replaceWith(disk, database.work, database.file, error);
}

} // namespace DatabaseCompaction
