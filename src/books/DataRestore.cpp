#include "DataRestore.h"

#include "DataFiles.h"
#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Names the kept folder while a restore replaces files; it goes once the
// last file is in place.
const QString markerName = QStringLiteral("Restore.unfinished");

// As a ledger change does it: the rows first, balance.kvd after them.
QStringList replaceOrder()
{
    return {DataFiles::customers,    DataFiles::expense,     DataFiles::income,
            DataFiles::expenseNames, DataFiles::incomeNames, DataFiles::balance};
}

QString uniqueKeptFolder(const DataFolder &folder, const QDateTime &now)
{
    const QString base = folder.filePath(DataRestore::keptFolderName(now));
    QString path = base;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return path;
}

// Every data file there is, the password too, so that the kept folder is one
// the program can be started in.
bool keep(const DataFolder &folder, const QString &kept, QString *error)
{
    if (!QDir().mkdir(kept)) {
        *error = QStringLiteral("the folder could not be made");
        return false;
    }
    const Disk disk = folder.disk();
    for (const QString &name : DataFiles::all())
        if (QFile::exists(folder.filePath(name)) &&
            !disk.copySynced(folder.filePath(name), QDir(kept).filePath(name), error))
            return false;
    return disk.sync(kept, error) && disk.sync(folder.path(), error);
}

// The marker reaches the disk whole before any file is replaced.
bool mark(const DataFolder &folder, const QString &kept, QString *error)
{
    return folder.disk().write(folder.filePath(markerName), QFileInfo(kept).fileName().toUtf8(), error);
}

// Each file a restore replaces takes back its kept copy, or goes when the
// folder had none; then the marker goes, and the kept folder with it.
bool putBack(const DataFolder &folder, const QString &kept, QString *error)
{
    const Disk disk = folder.disk();
    for (const QString &name : replaceOrder()) {
        const QString copy = QDir(kept).filePath(name), target = folder.filePath(name);
        const QString work = folder.filePath(QStringLiteral(".%1.restoring").arg(name));
        if (QFile::exists(copy) ? !disk.copySynced(copy, work, error) || !disk.renameSynced(work, target, error)
                                : !disk.remove(target, error))
            return false;
    }
    if (!disk.remove(folder.filePath(markerName), error))
        return false;
    QDir(kept).removeRecursively();
    return true;
}

DataRestore::Result failedPartWay(const DataFolder &folder, const QString &kept,
                                  const QString &failure)
{
    QString error;
    if (putBack(folder, kept, &error))
        return {false, {}, failure + QStringLiteral("\n\nThe files already replaced were put back: "
                                                    "the data are as they were before.")};
    return {false, kept,
            failure + QStringLiteral("\n\nPutting the current data back failed as well: %1\n\nThey "
                                     "are kept in %2 and are put back when the program next "
                                     "starts.")
                          .arg(error, QDir::toNativeSeparators(kept))};
}

} // namespace

namespace DataRestore {

QString keptFolderName(const QDateTime &now)
{
    return now.toString(QStringLiteral("'Before restore' yyyy-MM-dd HHmmss"));
}

Result run(const DataFolder &folder, const QString &backup, const QDateTime &now,
           const std::function<void(const QString &)> &progress)
{
    const auto tell = [&](const QString &text) {
        if (progress)
            progress(text);
    };
    const QString kept = uniqueKeptFolder(folder, now);
    tell(QStringLiteral("Keeping the current data in %1").arg(QDir::toNativeSeparators(kept)));
    QString error;
    if (!keep(folder, kept, &error) || !mark(folder, kept, &error)) {
        QFile::remove(folder.filePath(markerName));
        QDir(kept).removeRecursively();
        return {false, {}, QStringLiteral("The current data could not be kept in %1: %2\n\nNothing "
                                          "was changed.")
                               .arg(QDir::toNativeSeparators(kept), error)};
    }
    const Disk disk = folder.disk();
    for (const QString &name : replaceOrder()) {
        const QString from = QDir(backup).filePath(name);
        if (!disk.sync(from, &error) || !disk.renameSynced(from, folder.filePath(name), &error))
            return failedPartWay(folder, kept,
                                 QStringLiteral("%1 could not be replaced: %2").arg(name, error));
        tell(QStringLiteral("Restored %1").arg(name));
    }
    if (!disk.remove(folder.filePath(markerName), &error))
        return failedPartWay(folder, kept,
                             QStringLiteral("The restore could not be marked finished: %1").arg(error));
    return {true, kept, {}};
}

QString workTemplate(const DataFolder &folder)
{
    return folder.filePath(QStringLiteral(".restore-XXXXXX"));
}

void removeLeftovers(const DataFolder &folder)
{
    Disk::removeLeftovers(folder.path(), {markerName});
    QFile::remove(folder.filePath(markerName + QStringLiteral(".part"))); // as earlier versions named it
    for (const QString &name : replaceOrder())
        QFile::remove(folder.filePath(QStringLiteral(".%1.restoring").arg(name)));
    const QDir dir(folder.path());
    for (const QString &work : dir.entryList({QStringLiteral(".restore-??????")},
                                             QDir::Dirs | QDir::Hidden | QDir::NoSymLinks))
        QDir(dir.filePath(work)).removeRecursively();
}

bool undoUnfinished(const DataFolder &folder, bool *undone, QString *error)
{
    *undone = false;
    QFile marker(folder.filePath(markerName));
    if (!marker.exists())
        return true;
    if (!marker.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 could not be read: %2").arg(markerName, marker.errorString());
        return false;
    }
    const QString name = QString::fromUtf8(marker.readAll());
    const QString kept = folder.filePath(name);
    if (name.isEmpty() || !QFileInfo(kept).isDir()) {
        *error = QStringLiteral("%1 names the folder \"%2\", which is not there. Remove %1 to "
                                "start on the files as they are.")
                     .arg(markerName, name);
        return false;
    }
    *undone = putBack(folder, kept, error);
    return *undone;
}

} // namespace DataRestore
