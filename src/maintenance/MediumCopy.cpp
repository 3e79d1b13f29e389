#include "MediumCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>

namespace {

std::function<void(QByteArray *)> readBackFilter;

bool sameBytes(const QString &archive, const QString &copy, QString *error)
{
    QFile original(archive), medium(copy);
    if (!original.open(QIODevice::ReadOnly) || !medium.open(QIODevice::ReadOnly)) {
        *error = original.isOpen() ? medium.errorString() : original.errorString();
        return false;
    }
    // The flushed pages leave the cache, so that the bytes come from the medium.
    ::posix_fadvise(medium.handle(), 0, 0, POSIX_FADV_DONTNEED);
    constexpr qint64 block = 1 << 20;
    while (!original.atEnd() || !medium.atEnd()) {
        const QByteArray expected = original.read(block);
        QByteArray found = medium.read(block);
        if (readBackFilter)
            readBackFilter(&found);
        if (found != expected) {
            *error = QStringLiteral("the copy read back from the disk differs from %1")
                         .arg(QFileInfo(archive).fileName());
            return false;
        }
    }
    return true;
}

} // namespace

namespace MediumCopy {

bool copy(const Disk &disk, const QString &archive, const QString &target, QString *error)
{
    const QFileInfo info(target);
    const QString part = info.dir().filePath(QStringLiteral(".%1.part").arg(info.fileName()));
    if (disk.copySynced(archive, part, error) && sameBytes(archive, part, error) &&
        disk.renameSynced(part, target, error))
        return true;
    QFile::remove(part);
    return false;
}

void setReadBackFilter(std::function<void(QByteArray *)> filter)
{
    readBackFilter = std::move(filter);
}

} // namespace MediumCopy
