#include "SafeFiles.h"

#include "CrashPoints.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// For each step, how many more runs until one fails; 0: none planned.
std::array<int, 3> countdown{};
QString failingRename; // the file whose next rename fails; empty: none

bool injectedFailure(SafeFiles::Step step, QString *error)
{
    int &left = countdown[std::size_t(step)];
    if (left == 0 || --left > 0)
        return false;
    *error = QStringLiteral("A failure was injected for the test.");
    return true;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool syncFile(QFile &file, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Sync, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::Before);
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        *error = systemError();
        return false;
    }
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::After);
    return true;
}

bool syncFolder(const QString &folder, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Sync, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::Before);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::After);
    if (!synced)
        *error = systemError();
    if (fd >= 0)
        ::close(fd);
    return synced;
}

bool renameOver(const QString &from, const QString &to, QString *error)
{
    if (from == failingRename) {
        failingRename.clear();
        *error = QStringLiteral("A failure was injected for the test.");
        return false;
    }
    if (injectedFailure(SafeFiles::Step::Rename, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::Before);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = systemError();
        return false;
    }
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::After);
    return true;
}

// The rename, then the folder flushed so that the new name itself is on disk.
bool renameSynced(const QString &from, const QString &to, QString *error)
{
    return renameOver(from, to, error) && syncFolder(QFileInfo(to).absolutePath(), error);
}

QString temporaryName(const QString &target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral(".%1.part").arg(info.fileName()));
}

// Writes the content that `produce` puts into the file; it returns false after setting the error.
template <class Produce> bool writeThrough(const QString &path, Produce produce, QString *error)
{
    const QString temporary = temporaryName(path);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    const bool written = produce(file) && syncFile(file, error);
    file.close();
    if (!written || !renameSynced(temporary, path, error)) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

bool writeBytes(QFile &file, const QByteArrayList &parts, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Write, error))
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
    return true;
}

bool writeAll(int to, const char *data, ssize_t size, QString *error)
{
    while (size > 0) {
        const ssize_t written = ::write(to, data, std::size_t(size));
        if (written < 0) {
            *error = systemError();
            return false;
        }
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
        if (got < 0) {
            *error = systemError();
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(to, buffer.data(), got, error))
            return false;
    }
}

// What is left of `from` goes into `to` in the kernel, without passing
// through this process; where the kernel cannot copy between the two (another
// file system, a special file), through a buffer, from where it stopped.
bool copyContent(QFile &from, QFile &to, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Write, error))
        return false;
    ssize_t copied = 0;
    do
        copied = ::copy_file_range(from.handle(), nullptr, to.handle(), nullptr, 1 << 30, 0);
    while (copied > 0);
    if (copied == 0)
        return true;
    if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
        return copyThroughBuffer(from.handle(), to.handle(), error);
    *error = systemError();
    return false;
}

} // namespace

namespace SafeFiles {

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    return write(path, QByteArrayList{bytes}, error);
}

bool write(const QString &path, const QByteArrayList &parts, QString *error)
{
    return writeThrough(path, [&](QFile &file) { return writeBytes(file, parts, error); }, error);
}

bool copy(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    return writeThrough(to, [&](QFile &file) { return copyContent(source, file, error); }, error);
}

bool copyUnsynced(QFile &from, const QString &to, QString *error)
{
    QFile file(to);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    return copyContent(from, file, error);
}

bool replace(const QString &from, const QString &to, QString *error)
{
    return replaceUnsynced(from, to, error) && syncFolder(QFileInfo(to).absolutePath(), error);
}

bool replaceUnsynced(const QString &from, const QString &to, QString *error)
{
    // The content reaches the disk before the name does.
    QFile finished(from);
    if (!finished.open(QIODevice::ReadOnly)) {
        *error = finished.errorString();
        return false;
    }
    if (!syncFile(finished, error))
        return false;
    finished.close();
    return renameOver(from, to, error);
}

bool syncFolders(const QStringList &files, QString *error)
{
    QStringList folders;
    for (const QString &file : files)
        folders << QFileInfo(file).absolutePath();
    folders.removeDuplicates();
    bool synced = true;
    for (const QString &folder : std::as_const(folders))
        synced = syncFolder(folder, error) && synced;
    return synced;
}

void removeLeftovers(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        QFile::remove(temporaryName(QDir(folder).filePath(name)));
}

void failAt(Step step, int nth)
{
    countdown[std::size_t(step)] = nth;
}

void failRenameOf(const QString &path)
{
    failingRename = path;
}

void clearFailures()
{
    countdown.fill(0);
    failingRename.clear();
}

} // namespace SafeFiles
