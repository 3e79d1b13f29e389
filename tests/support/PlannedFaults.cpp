#include "PlannedFaults.h"

#include <unistd.h>

void PlannedFaults::failAt(Step step, int nth)
{
    const QMutexLocker lock(&m_mutex);
    m_failingRun[std::size_t(step)] = m_runs[std::size_t(step)] + nth;
}

void PlannedFaults::failRenameOf(const QString &path)
{
    const QMutexLocker lock(&m_mutex);
    m_failingRename = path;
}

void PlannedFaults::endProcessAt(Step step, int nth, When when)
{
    const QMutexLocker lock(&m_mutex);
    m_end = {step, m_runs[std::size_t(step)] + nth, when};
}

void PlannedFaults::clear()
{
    const QMutexLocker lock(&m_mutex);
    m_failingRun.fill(0);
    m_failingRename.clear();
    m_end.run = 0;
}

int PlannedFaults::runs(Step step) const
{
    const QMutexLocker lock(&m_mutex);
    return m_runs[std::size_t(step)];
}

bool PlannedFaults::before(Step step, const QString &path, QString *error)
{
    const QMutexLocker lock(&m_mutex);
    const int run = ++m_runs[std::size_t(step)];
    if (m_end.run == run && m_end.step == step && m_end.when == When::Before)
        ::_exit(exitCode);
    const bool renameFails = step == Step::Rename && !m_failingRename.isEmpty() && path == m_failingRename;
    if (renameFails)
        m_failingRename.clear();
    if (!renameFails && m_failingRun[std::size_t(step)] != run)
        return true;
    *error = QStringLiteral("A failure was injected for the test.");
    return false;
}

void PlannedFaults::after(Step step)
{
    const QMutexLocker lock(&m_mutex);
    if (m_end.run == m_runs[std::size_t(step)] && m_end.step == step && m_end.when == When::After)
        ::_exit(exitCode);
}
