#include "FileSteps.h"

#include "CrashPoints.h"
#include "SafeFiles.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::array<int, 2> countdown{}; // per step, runs left until the planned failure; 0: none

bool injected(FileSteps::Step step, QString *error)
{
    int &left = countdown[std::size_t(step)];
    if (left == 0 || --left > 0)
        return false;
    *error = QStringLiteral("A failure was injected for the test.");
    return true;
}

bool systemFailure(QString *error)
{
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

// Flushes what fd names, a file or a folder.
bool syncDescriptor(int fd, QString *error)
{
    if (injected(FileSteps::Step::Sync, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::Before);
    if (::fsync(fd) != 0)
        return systemFailure(error);
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::After);
    return true;
}

bool syncPath(const QString &path, int flags, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return systemFailure(error);
    const bool synced = syncDescriptor(fd, error);
    ::close(fd);
    return synced;
}

bool syncFolderOf(const QString &path, QString *error)
{
    return syncPath(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY, error);
}

} // namespace

namespace FileSteps {

// The copy itself is the one SafeFiles makes, through the kernel where it can.
bool copySynced(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    return SafeFiles::copyUnsynced(source, to, error) && sync(to, error);
}

bool sync(const QString &path, QString *error)
{
    return syncPath(path, O_RDONLY, error);
}

bool renameSynced(const QString &from, const QString &to, QString *error)
{
    if (injected(Step::Rename, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::Before);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemFailure(error);
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::After);
    return syncFolderOf(to, error);
}

bool removeSynced(const QString &path, QString *error)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return systemFailure(error);
    return syncFolderOf(path, error);
}

void failAt(Step step, int nth)
{
    countdown[std::size_t(step)] = nth;
}

void clearFailures()
{
    countdown.fill(0);
}

} // namespace FileSteps
