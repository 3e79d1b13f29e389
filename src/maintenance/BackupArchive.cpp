#include "BackupArchive.h"

#include "AccessConversion.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "Schema.h"
#include "SideBySide.h"
#include "ZipReader.h"

#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

namespace {

QString whatABackupHolds()
{
    return QStringLiteral("A backup holds these six files and nothing else, at its top or all in "
                          "one folder: %1.")
        .arg(DataFiles::backedUp().join(QLatin1String(", ")));
}

// The one folder that every file of the archive lies in; empty when they lie
// at its top or in different folders.
QString commonFolder(const QStringList &files)
{
    const QString first = files.value(0);
    const QString folder = first.left(first.lastIndexOf(u'/') + 1);
    for (const QString &file : files)
        if (file.left(file.lastIndexOf(u'/') + 1) != folder)
            return {};
    return folder;
}

// Matches the archive's entries with the data folder's names: `files`, the
// entries that hold the files, and `names`, the name each one stands for.
// The folder entries on the way to the files are passed over.
bool matchEntries(const QStringList &entries, QStringList *files, QStringList *names,
                  QString *error)
{
    QStringList inArchive;
    for (const QString &entry : entries)
        if (!entry.endsWith(u'/'))
            inArchive << entry;
    const QString folder = commonFolder(inArchive);
    const QStringList backedUp = DataFiles::backedUp();
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/') && folder.startsWith(entry))
            continue;
        const QString name = entry.mid(folder.size());
        const auto ours = std::find_if(backedUp.begin(), backedUp.end(), [&](const QString &file) {
            return file.compare(name, Qt::CaseInsensitive) == 0;
        });
        const bool known = ours != backedUp.end();
        if (!known || names->contains(*ours)) {
            *error = (known ? QStringLiteral("It holds %1 twice. ")
                            : QStringLiteral("It holds %1, which no backup of this program holds. "))
                         .arg(entry) +
                     whatABackupHolds();
            return false;
        }
        *files << entry;
        *names << *ours;
    }
    QStringList missing;
    for (const QString &file : backedUp)
        if (!names->contains(file))
            missing << file;
    if (!missing.isEmpty())
        *error = QStringLiteral("It does not hold %1. ").arg(missing.join(QLatin1String(", "))) +
                 whatABackupHolds();
    return missing.isEmpty();
}

// The sizes the entries declare are read before anything is unpacked, so
// that an archive built to fill the disk (a zip bomb) is refused unopened.
bool fitsInRoom(const ZipReader &reader, const QStringList &files, qint64 room, QString *error)
{
    qint64 total = 0;
    for (const QString &file : files) {
        const qint64 size = reader.declaredSize(file);
        if (size < 0) {
            *error = QStringLiteral("It does not say how large %1 is.").arg(file);
            return false;
        }
        total += size;
    }
    if (total <= room)
        return true;
    const QLocale locale;
    *error = QStringLiteral("Its files would take %1 once unpacked, more than a backup of this "
                            "data folder can hold or the disk has room for (%2).")
                 .arg(locale.formattedDataSize(total), locale.formattedDataSize(room));
    return false;
}

// Each entry is read back on a thread of its own, through a reader of its
// own: inflating the databases is most of the work, and they are three.
bool extractEach(const QString &archive, const QStringList &entries, const QStringList &paths,
                 QString *error)
{
    std::vector<SideBySideJob> reads;
    for (qsizetype i = 0; i < entries.size(); ++i)
        reads.push_back([&archive, &entry = entries[i], &path = paths[i]](QString *error) {
            ZipReader reader;
            if (reader.open(archive, error) && reader.extract(entry, path, error))
                return true;
            *error = QStringLiteral("%1 could not be read back whole and unchanged: %2.").arg(entry, *error);
            return false;
        });
    return runSideBySide(reads, error);
}

bool convertAccess(const DataFolder &work, const BackupArchive::Unpacking &how,
                   QStringList *converted, QString *error)
{
    if (how.accessReader.isEmpty())
        return true;
    AccessConversion conversion(work.path(), work, how.accessReader, how.today);
    conversion.setKeepGoing(how.keepGoing);
    if (!conversion.survey(error))
        return false;
    for (const AccessConversion::Found &found : conversion.accessFiles())
        *converted << found.database.file;
    return converted->isEmpty() || conversion.run(error);
}

bool holdsOnlyOurs(const DataFolder &work, QString *error)
{
    for (const auto &[file, table] : DataFiles::databases())
        if (!Schema::checkBackedUp(work.database(file), table, error))
            return false;
    return true;
}

} // namespace

namespace BackupArchive {

qint64 roomFor(const DataFolder *current, const QString &work)
{
    qint64 held = 0;
    if (current)
        for (const QString &name : DataFiles::backedUp())
            held += QFileInfo(current->filePath(name)).size();
    const qint64 bound = 20 * held + (qint64(1) << 30);
    const qint64 free = QStorageInfo(work).bytesAvailable();
    return free >= 0 ? std::min(bound, free) : bound;
}

bool extract(const QString &archive, const DataFolder &work, const Unpacking &how,
             Contents *contents, QString *error)
{
    ZipReader reader;
    if (!reader.open(archive, error)) {
        *error = QStringLiteral("It is not a zip archive, or a damaged one: %1.").arg(*error);
        return false;
    }
    QStringList files, names;
    if (!matchEntries(reader.entries(), &files, &names, error) ||
        !fitsInRoom(reader, files, how.room, error))
        return false;
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << work.filePath(name);
    return extractEach(archive, files, paths, error) &&
           convertAccess(work, how, &contents->accessDatabases, error) &&
           holdsOnlyOurs(work, error) && DataSummary::read(work, &contents->summary, error);
}

} // namespace BackupArchive
