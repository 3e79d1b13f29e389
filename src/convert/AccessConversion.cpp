#include "AccessConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString markerName = QStringLiteral("Conversion.unfinished");

// A reason from elsewhere ended as a sentence, once.
QString ended(const QString &reason)
{
    return reason.endsWith(u'.') ? reason : reason + u'.';
}

bool sameBytes(const QString &one, const QString &other)
{
    QFile a(one), b(other);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.size() == b.size() &&
           a.readAll() == b.readAll();
}

} // namespace

AccessConversion::AccessConversion(const QString &from, const DataFolder &into, const QString &reader,
                                   const QDate &today)
    : m_from(from), m_into(into), m_reader(reader), m_today(today)
{
}

QString AccessConversion::readerBesideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/bramblewood-read-jet");
}

bool AccessConversion::inPlace() const
{
    return QFileInfo(m_from).canonicalFilePath() == QFileInfo(m_into.path()).canonicalFilePath();
}

QString AccessConversion::workPath(const DataFiles::Database &database) const
{
    return m_into.filePath(database.file + QStringLiteral(".convert"));
}

void AccessConversion::removeLeftovers() const
{
    for (const DataFiles::Database &database : DataFiles::databases()) {
        QFile::remove(workPath(database));
        QFile::remove(workPath(database) + QStringLiteral("-journal"));
    }
}

QString AccessConversion::unfinishedFrom(const DataFolder &folder)
{
    QFile marker(folder.filePath(markerName));
    return marker.open(QIODevice::ReadOnly) ? QString::fromUtf8(marker.readAll()) : QString();
}

bool AccessConversion::undoUnfinished(const DataFolder &folder, QString *error)
{
    AccessConversion(QString(), folder, QString(), QDate()).removeLeftovers();
    const Disk disk = folder.disk();
    for (const QString &name : DataFiles::all())
        if (!disk.remove(folder.filePath(name), error))
            return false;
    return disk.remove(folder.filePath(markerName), error);
}

bool AccessConversion::survey(QString *error)
{
    for (const DataFiles::Database &database : DataFiles::databases()) {
        const QString path = QDir(m_from).filePath(database.file);
        if (!QFile::exists(path))
            continue;
        switch (const DatabaseFormat format = DatabaseFormats::of(path)) {
        case DatabaseFormat::Ours:
            break;
        case DatabaseFormat::Jet3:
        case DatabaseFormat::Jet4:
            m_found.append({database, format});
            break;
        case DatabaseFormat::Ace:
            *error = QStringLiteral("%1 is in the format of Access 2007 or later, which Bramblewood "
                                    "cannot read. Save it from Access in the Access 2002-2003 format "
                                    "(.mdb) and start the program again.")
                         .arg(database.file);
            return false;
        case DatabaseFormat::Other:
            *error = QStringLiteral("%1 is not a database that Bramblewood can read: it is neither "
                                    "one of its own nor one of Access 97 to 2003.")
                         .arg(database.file);
            return false;
        }
    }
    m_originals = pickOriginalsName();
    return true;
}

// The dated folder, or a numbered one beside it when it already holds other
// files of these names: an earlier original is never overwritten, while a
// run that a crash cut short finds its own copies again.
QString AccessConversion::pickOriginalsName() const
{
    const QString dated = QStringLiteral("Access originals ") + m_today.toString(Qt::ISODate);
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? dated : QStringLiteral("%1 (%2)").arg(dated).arg(n);
        const QDir folder(m_into.filePath(name));
        const bool usable = std::all_of(m_found.begin(), m_found.end(), [&](const Found &found) {
            const QString copy = folder.filePath(found.database.file);
            return !QFileInfo::exists(copy) || sameBytes(copy, m_into.filePath(found.database.file));
        });
        if (usable && !QFileInfo(folder.path()).isFile())
            return name;
    }
}

bool AccessConversion::run(QString *error)
{
    for (const Found &found : std::as_const(m_found)) {
        const QString source = QDir(m_from).filePath(found.database.file);
        m_permissions << QFile::permissions(source);
        QString why;
        const auto converted =
            ConvertedDatabase::convert(found.database, source, workPath(found.database), m_reader,
                                       m_keepGoing, &why);
        if (!converted) {
            *error = QStringLiteral("%1 could not be converted: %2").arg(found.database.file, ended(why));
            removeLeftovers();
            return false;
        }
        m_converted << *converted;
    }
    QString why;
    if (inPlace() ? replaceInPlace(&why) : copyElsewhere(&why))
        return true;
    *error = QStringLiteral("The converted databases could not take the place of the Access files: %1")
                 .arg(ended(why));
    return false;
}

bool AccessConversion::replaceInPlace(QString *error)
{
    const QDir originals(m_into.filePath(m_originals));
    const bool madeFolder = !originals.exists();
    bool ok = QDir().mkpath(originals.path());
    if (!ok)
        *error = QStringLiteral("the folder %1 cannot be made").arg(originals.path());
    // A new folder's own name reaches the disk only with its parent's entries.
    const Disk disk = m_into.disk();
    ok = ok && disk.sync(m_into.path(), error);
    QStringList copied;
    for (const ConvertedDatabase &converted : std::as_const(m_converted)) {
        const QString copy = originals.filePath(converted.database.file);
        if (ok && !QFileInfo::exists(copy)) {
            ok = disk.copy(m_into.filePath(converted.database.file), copy, error);
            copied << copy;
        }
    }
    for (qsizetype i = 0; ok && i < m_converted.size(); ++i) {
        const QString work = workPath(m_converted[i].database);
        QFile::setPermissions(work, m_permissions[i]);
        ok = disk.replace(work, m_into.filePath(m_converted[i].database.file), error);
    }
    if (!ok)
        putBack(copied, madeFolder, error);
    return ok;
}

// Each database already replaced gets its original back from the copy;
// then the copies this run made go, and the folder it made.
void AccessConversion::putBack(const QStringList &copied, bool madeFolder, QString *error)
{
    const QDir originals(m_into.filePath(m_originals));
    QString trouble;
    bool back = true;
    for (qsizetype i = 0; i < m_converted.size(); ++i) {
        const QString path = m_into.filePath(m_converted[i].database.file);
        if (DatabaseFormats::of(path) == DatabaseFormat::Ours)
            back = m_into.disk().copy(originals.filePath(m_converted[i].database.file), path, &trouble) &&
                   QFile::setPermissions(path, m_permissions[i]) && back;
    }
    removeLeftovers();
    if (!back) {
        m_leftChanges = true;
        *error += QStringLiteral("; putting the Access files back failed too (%1). They are kept in "
                                 "%2, and the next start converts those still in the Access format")
                      .arg(trouble, QDir::toNativeSeparators(originals.path()));
        return;
    }
    for (const QString &copy : copied)
        QFile::remove(copy);
    if (madeFolder)
        QDir().rmdir(originals.path());
}

// The mark reaches the disk before the first file, and goes after the last.
bool AccessConversion::copyElsewhere(QString *error)
{
    const QString marker = m_into.filePath(markerName);
    const Disk disk = m_into.disk();
    QStringList written;
    bool ok = disk.write(marker, QFileInfo(m_from).absoluteFilePath().toUtf8(), error);
    for (const QString &name : DataFiles::all()) {
        const QString source = QDir(m_from).filePath(name);
        const bool converted = std::any_of(m_converted.begin(), m_converted.end(),
                                           [&](const auto &c) { return c.database.file == name; });
        if (ok && !converted && QFileInfo::exists(source)) {
            ok = disk.copy(source, m_into.filePath(name), error);
            written << m_into.filePath(name);
        }
    }
    for (const ConvertedDatabase &converted : std::as_const(m_converted)) {
        if (ok) {
            ok = disk.replace(workPath(converted.database), m_into.filePath(converted.database.file), error);
            written << m_into.filePath(converted.database.file);
        }
    }
    if (!ok) {
        for (const QString &path : std::as_const(written))
            QFile::remove(path);
        removeLeftovers();
    }
    QString ignored; // a mark left behind only has the conversion done once more
    disk.remove(marker, &ignored);
    return ok;
}
