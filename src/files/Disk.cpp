#include "Disk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

using Step = Faults::Step;

bool systemFailure(QString *error)
{
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

QString temporaryName(const QString &target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral(".%1.part").arg(info.fileName()));
}

bool writeAll(int to, const char *data, ssize_t size, QString *error)
{
    while (size > 0) {
        const ssize_t written = ::write(to, data, std::size_t(size));
        if (written < 0)
            return systemFailure(error);
        data += written;
        size -= written;
    }
    return true;
}

bool copyThroughBuffer(int from, int to, QString *error)
{
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0)
            return systemFailure(error);
        if (got == 0)
            return true;
        if (!writeAll(to, buffer.data(), got, error))
            return false;
    }
}

// Flushes what path names, a file or a folder.
bool syncPath(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return systemFailure(error);
    const bool synced = ::fsync(fd) == 0 || systemFailure(error);
    ::close(fd);
    return synced;
}

} // namespace

bool Disk::write(const QString &path, const QByteArray &bytes, QString *error) const
{
    return write(path, QByteArrayList{bytes}, error);
}

bool Disk::write(const QString &path, const QByteArrayList &parts, QString *error) const
{
    return writeThrough(path, [&](QFile &file) { return writeBytes(file, parts, error); }, error);
}

bool Disk::copy(const QString &from, const QString &to, QString *error) const
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    return writeThrough(to, [&](QFile &file) { return copyContent(source, file, error); }, error);
}

bool Disk::replace(const QString &from, const QString &to, QString *error) const
{
    return replaceUnsynced(from, to, error) && sync(QFileInfo(to).absolutePath(), error);
}

bool Disk::copySynced(const QString &from, const QString &to, QString *error) const
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    return copyUnsynced(source, to, error) && sync(to, error);
}

bool Disk::sync(const QString &path, QString *error) const
{
    if (!m_faults->before(Step::Sync, path, error) || !syncPath(path, error))
        return false;
    m_faults->after(Step::Sync);
    return true;
}

bool Disk::renameSynced(const QString &from, const QString &to, QString *error) const
{
    return rename(from, to, error) && sync(QFileInfo(to).absolutePath(), error);
}

bool Disk::remove(const QString &path, QString *error) const
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return systemFailure(error);
    return sync(QFileInfo(path).absolutePath(), error);
}

bool Disk::copyUnsynced(QFile &from, const QString &to, QString *error) const
{
    QFile file(to);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    return copyContent(from, file, error);
}

bool Disk::replaceUnsynced(const QString &from, const QString &to, QString *error) const
{
    // The content reaches the disk before the name does.
    QFile finished(from);
    if (!finished.open(QIODevice::ReadOnly)) {
        *error = finished.errorString();
        return false;
    }
    if (!syncOpen(finished, error))
        return false;
    finished.close();
    return rename(from, to, error);
}

bool Disk::syncFolders(const QStringList &files, QString *error) const
{
    QStringList folders;
    for (const QString &file : files)
        folders << QFileInfo(file).absolutePath();
    folders.removeDuplicates();
    bool synced = true;
    for (const QString &folder : std::as_const(folders))
        synced = sync(folder, error) && synced;
    return synced;
}

void Disk::removeLeftovers(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        QFile::remove(temporaryName(QDir(folder).filePath(name)));
}

// Writes the content that `produce` puts into the file; it returns false after setting the error.
bool Disk::writeThrough(const QString &path, const std::function<bool(QFile &)> &produce,
                        QString *error) const
{
    const QString temporary = temporaryName(path);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    const bool written = produce(file) && syncOpen(file, error);
    file.close();
    if (!written || !renameSynced(temporary, path, error)) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

bool Disk::writeBytes(QFile &file, const QByteArrayList &parts, QString *error) const
{
    if (!m_faults->before(Step::Write, file.fileName(), error))
        return false;
    for (const QByteArray &bytes : parts) {
        errno = 0;
        if (file.write(bytes) != bytes.size()) {
            // QFile takes a short write (a full disk) for no error and says
            // "Unknown error"; the system's own reason is clearer.
            *error = file.error() == QFileDevice::NoError && errno != 0
                         ? QString::fromLocal8Bit(std::strerror(errno))
                         : file.errorString();
            return false;
        }
    }
    m_faults->after(Step::Write);
    return true;
}

// What is left of `from` goes into `to` in the kernel, without passing
// through this process; where the kernel cannot copy between the two (another
// file system, a special file), through a buffer, from where it stopped.
bool Disk::copyContent(QFile &from, QFile &to, QString *error) const
{
    if (!m_faults->before(Step::Write, to.fileName(), error))
        return false;
    ssize_t copied = 0;
    do
        copied = ::copy_file_range(from.handle(), nullptr, to.handle(), nullptr, 1 << 30, 0);
    while (copied > 0);
    const bool done =
        copied == 0 ||
        ((errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
             ? copyThroughBuffer(from.handle(), to.handle(), error)
             : systemFailure(error));
    if (done)
        m_faults->after(Step::Write);
    return done;
}

bool Disk::syncOpen(QFile &file, QString *error) const
{
    if (!m_faults->before(Step::Sync, file.fileName(), error))
        return false;
    if (!file.flush() || ::fsync(file.handle()) != 0)
        return systemFailure(error);
    m_faults->after(Step::Sync);
    return true;
}

bool Disk::rename(const QString &from, const QString &to, QString *error) const
{
    if (!m_faults->before(Step::Rename, from, error))
        return false;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemFailure(error);
    m_faults->after(Step::Rename);
    return true;
}
