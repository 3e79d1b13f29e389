#include "FloppyBackup.h"

#include "BackupArchive.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "MediumCopy.h"
#include "cZip.h"

#include <QDir>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtConcurrent>

namespace {

// The folder's own summary, read while the archive is written: both only
// read the files.
struct LiveSummary {
    DataSummary summary;
    QString error;
    bool read = false;
};

} // namespace

namespace FloppyBackup {

QStringList files(const DataFolder &folder, QStringList *missing)
{
    const QStringList present = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    QStringList found;
    for (const QString &listed : DataFiles::backedUp()) {
        const auto it = std::find_if(present.begin(), present.end(), [&](const QString &name) {
            return name.compare(listed, Qt::CaseInsensitive) == 0;
        });
        if (it == present.end())
            *missing << listed;
        else
            found << *it;
    }
    return found;
}

QString mediumRoot()
{
    const QString user = qEnvironmentVariable("USER");
    const QStringList bases{QStringLiteral("/media/%1/").arg(user),
                            QStringLiteral("/run/media/%1/").arg(user), QStringLiteral("/media/")};
    QStringList mounted;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mounted << volume.rootPath() + u'/';
    mounted.sort();
    for (const QString &base : bases)
        for (const QString &root : std::as_const(mounted))
            if (root.startsWith(base) && root != base)
                return root.chopped(1);
    return {};
}

bool check(const DataFolder &folder, const DataSummary &present, DataSummary *packed,
           QString *error)
{
    QTemporaryDir work;
    if (!work.isValid()) {
        *error =
            QStringLiteral("no temporary folder to read it back in: %1").arg(work.errorString());
        return false;
    }
    BackupArchive::Contents contents;
    if (!BackupArchive::extract(folder.filePath(archiveFile), DataFolder(work.path()),
                                {BackupArchive::roomFor(&folder, work.path()), {}, {}, {}}, &contents,
                                error))
        return false;
    *packed = contents.summary;
    const QStringList labels = DataSummary::labels(), archived = packed->values(),
                      now = present.values();
    for (qsizetype i = 0; i < labels.size(); ++i)
        if (archived[i] != now[i]) {
            *error = QStringLiteral("%1: %2 in the archive, %3 in the data folder.")
                         .arg(labels[i], archived[i], now[i]);
            return false;
        }
    return true;
}

QString dailyName(const QDate &today)
{
    return QStringLiteral("Backup%1.zip").arg(today.toString(QStringLiteral("MMddyyyy")));
}

Result run(cZip &zip, const DataFolder &folder, const QString &medium, const QDate &today)
{
    QStringList missing;
    const QStringList names = files(folder, &missing);
    if (!missing.isEmpty())
        return {Outcome::ArchiveFailed,
                QStringLiteral("These files are not in the data folder: %1").arg(missing.join(u' ')),
                {}, {}};
    QFuture<LiveSummary> live = QtConcurrent::run([&folder] {
        LiveSummary live;
        live.read = DataSummary::read(folder, &live.summary, &live.error);
        return live;
    });
    // The summary reads the folder: it ends before the folder may go, whatever the outcome.
    const auto waitForLive = qScopeGuard([&live] { live.waitForFinished(); });
    // The files go in under their bare names, found in the data folder.
    zip.setBasePath(folder.path());
    zip.setZipFile(folder.filePath(archiveFile));
    zip.ClearFileSpecs();
    for (const QString &name : names)
        zip.AddFileSpec(name);
    QString error;
    if (!zip.Zip(&error))
        return {Outcome::ArchiveFailed, error, {}, {}};
    if (!zip.Success())
        return {Outcome::ArchiveFailed, QStringLiteral("The archive could not be written."), {}, {}};
    const LiveSummary present = live.result();
    if (!present.read)
        return {Outcome::CheckFailed, present.error, {}, {}};
    Result result{Outcome::Done, {}, QDir(medium).filePath(dailyName(today)), {}};
    if (!check(folder, present.summary, &result.summary, &result.error))
        result.outcome = Outcome::CheckFailed;
    else if (medium.isEmpty())
        result.outcome = Outcome::NoMedium;
    else if (!MediumCopy::copy(folder.disk(), folder.filePath(archiveFile), result.copy, &result.error))
        result.outcome = Outcome::CopyFailed;
    return result;
}

} // namespace FloppyBackup
