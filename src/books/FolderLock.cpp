#include "FolderLock.h"

#include "DataFiles.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <csignal>

FolderLock::FolderLock(const DataFolder &folder)
    : m_folder(folder), m_lock(folder.filePath(DataFiles::lock))
{
    // By default QLockFile would also take over any lock older than 30
    // seconds, letting a second copy in beside a program that has simply
    // been open a while.
    m_lock.setStaleLockTime(0);
}

bool FolderLock::take()
{
    if (m_lock.tryLock(0)) {
        m_refusal = Refusal::None;
        return true;
    }
    // A lock left by a run that crashed is replaced, unless the folder takes
    // no new file: that, not another program, is what the user must mend.
    m_reason = m_lock.error() == QLockFile::LockFailedError && heldByARunningProgram()
                   ? QString()
                   : whyNothingCanBeWritten();
    m_refusal = !m_reason.isEmpty()                           ? Refusal::Unwritable
                : m_lock.error() == QLockFile::LockFailedError ? Refusal::InUse
                                                               : Refusal::NotAllowed;
    return false;
}

QString FolderLock::refusalText(const QString &then) const
{
    const QString folder = QDir::toNativeSeparators(m_folder.path());
    return m_refusal == Refusal::InUse
               ? QStringLiteral("The data folder %1 is in use by Bramblewood. Leave the program, then %2.")
                     .arg(folder, then)
               : QStringLiteral("The data folder %1 cannot be used: the program may not write in it.")
                     .arg(folder);
}

bool FolderLock::heldByARunningProgram() const
{
    qint64 pid = 0;
    QString host, application;
    if (!m_lock.getLockInfo(&pid, &host, &application) || host != QSysInfo::machineHostName())
        return true; // whoever holds it, it is not ours to judge
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString FolderLock::whyNothingCanBeWritten() const
{
    QFile probe(m_folder.filePath(QStringLiteral(".Bramblewood.lock.probe")));
    const bool written = probe.open(QIODevice::WriteOnly) && probe.write("probe") == 5 && probe.flush();
    const QString reason = written ? QString() : probe.errorString();
    probe.remove();
    return reason;
}
