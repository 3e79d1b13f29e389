#include "BackupArchive.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "SideBySide.h"
#include "ZipReader.h"

namespace {

// The entries under the data folder's names, or the error naming what does
// not belong or is missing.
bool matchEntries(const QStringList &entries, QStringList *names, QString *error)
{
    QStringList wanted = DataFiles::backedUp();
    for (const QString &entry : entries) {
        const auto it = std::find_if(wanted.begin(), wanted.end(), [&](const QString &name) {
            return name.compare(entry, Qt::CaseInsensitive) == 0;
        });
        if (it == wanted.end()) {
            const bool twice = DataFiles::backedUp().contains(entry, Qt::CaseInsensitive);
            *error = (twice ? QStringLiteral("It holds %1 twice.")
                            : QStringLiteral("It holds %1, which no backup of this program holds."))
                         .arg(entry);
            return false;
        }
        *names << *it;
        wanted.erase(it);
    }
    if (!wanted.isEmpty())
        *error = QStringLiteral("It does not hold %1.").arg(wanted.join(QLatin1String(", ")));
    return wanted.isEmpty();
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

} // namespace

namespace BackupArchive {

bool extract(const QString &archive, const DataFolder &work, DataSummary *summary, QString *error)
{
    ZipReader reader;
    if (!reader.open(archive, error)) {
        *error = QStringLiteral("It is not a zip archive, or a damaged one: %1.").arg(*error);
        return false;
    }
    const QStringList entries = reader.entries();
    QStringList names;
    if (!matchEntries(entries, &names, error))
        return false;
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << work.filePath(name);
    return extractEach(archive, entries, paths, error) && DataSummary::read(work, summary, error);
}

} // namespace BackupArchive
