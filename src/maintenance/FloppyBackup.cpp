#include "FloppyBackup.h"

#include "SafeFiles.h"
#include "cZip.h"

#include <QDir>
#include <QStorageInfo>

namespace {

const QStringList listedFiles{QStringLiteral("customers.mdb"), QStringLiteral("expense.mdb"),
                              QStringLiteral("expense.kvd"),   QStringLiteral("income.mdb"),
                              QStringLiteral("income.kvd"),    QStringLiteral("balance.kvd")};

} // namespace

namespace FloppyBackup {

QStringList files(const QDir &folder, QStringList *missing)
{
    const QStringList present = folder.entryList(QDir::Files | QDir::Hidden);
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

Result run(cZip &zip, const QString &medium, const QDate &today)
{
    const QDir folder = QDir::current();
    QStringList missing;
    const QStringList names = files(folder, &missing);
    if (!missing.isEmpty())
        return {Outcome::ArchiveFailed,
                QStringLiteral("These files are not in the data folder: %1").arg(missing.join(u' '))};
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
