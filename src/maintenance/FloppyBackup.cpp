#include "FloppyBackup.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "SafeFiles.h"
#include "cZip.h"

#include <QDir>
#include <QStorageInfo>

namespace {

// In the order the archive lists them; the password stays out.
const QStringList listedFiles{DataFiles::customers, DataFiles::expense, DataFiles::expenseNames,
                              DataFiles::income,    DataFiles::incomeNames, DataFiles::balance};

} // namespace

namespace FloppyBackup {

QStringList files(const DataFolder &folder, QStringList *missing)
{
    const QStringList present = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    QStringList found;
    for (const QString &listed : listedFiles) {
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
                QStringLiteral("These files are not in the data folder: %1").arg(missing.join(u' '))};
    // The files go in under their bare names, found in the data folder.
    zip.setBasePath(folder.path());
    zip.setZipFile(folder.filePath(archiveFile));
    zip.ClearFileSpecs();
    for (const QString &name : names)
        zip.AddFileSpec(name);
    QString error;
    if (!zip.Zip(&error))
        return {Outcome::ArchiveFailed, error};
    if (!zip.Success())
        return {Outcome::ArchiveFailed, QStringLiteral("The archive could not be written.")};
    if (medium.isEmpty())
        return {Outcome::NoMedium, {}};
    // The copy reaches the medium itself, not only its cache, before success is told.
    if (!SafeFiles::copy(folder.filePath(archiveFile), QDir(medium).filePath(dailyName(today)), &error))
        return {Outcome::CopyFailed, error};
    return {Outcome::Done, {}};
}

} // namespace FloppyBackup
