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

namespace {

// For each step, how many more runs until one fails; 0: none planned.
std::array<int, 3> countdown{};

bool injectedFailure(SafeFiles::Step step, QString *error)
{
    int &left = countdown[std::size_t(step)];
    if (left == 0 || --left > 0)
        return false;
    *error = QStringLiteral("A failure was injected for the test.");
    return true;
}

bool syncFile(QFile &file, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Sync, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Sync, CrashPoints::When::Before);
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
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
        *error = QString::fromLocal8Bit(std::strerror(errno));
    if (fd >= 0)
        ::close(fd);
    return synced;
}

// The rename, then the folder flushed so that the new name itself is on disk.
bool renameSynced(const QString &from, const QString &to, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Rename, error))
        return false;
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::Before);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    CrashPoints::reach(CrashPoints::Step::Rename, CrashPoints::When::After);
    return syncFolder(QFileInfo(to).absolutePath(), error);
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

bool writeBytes(QFile &file, const QByteArray &bytes, QString *error)
{
    if (injectedFailure(SafeFiles::Step::Write, error))
        return false;
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // QFile takes a short write (a full disk) for no error and says
        // "Unknown error"; the system's own reason is clearer.
        *error = file.error() == QFileDevice::NoError && errno != 0
                     ? QString::fromLocal8Bit(std::strerror(errno))
                     : file.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace SafeFiles {

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeThrough(path, [&](QFile &file) { return writeBytes(file, bytes, error); }, error);
}

bool copy(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    return writeThrough(
        to,
        [&](QFile &file) {
            constexpr qint64 chunk = 1 << 20;
            while (!source.atEnd()) {
                const QByteArray bytes = source.read(chunk);
                if (source.error() != QFileDevice::NoError) {
                    *error = source.errorString();
                    return false;
                }
                if (!writeBytes(file, bytes, error))
                    return false;
            }
            return true;
        },
        error);
}

bool replace(const QString &from, const QString &to, QString *error)
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
    return renameSynced(from, to, error);
}

void failAt(Step step, int nth)
{
    countdown[std::size_t(step)] = nth;
}

void clearFailures()
{
    countdown.fill(0);
}

} // namespace SafeFiles
