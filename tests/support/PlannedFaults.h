#pragma once

#include "Faults.h"

#include <QMutex>
#include <QString>
#include <array>

// The faults a test plans, handed in with the data folder: the nth next run
// of a step fails, or the next rename of a named file, or the process ends at
// once, without any clean-up, just before or just after the nth next run of
// a step, as a power cut would. A restart then shows what that leaves.
class PlannedFaults final : public Faults
{
public:
    enum class When { Before, After };
    static constexpr int exitCode = 86;

    void failAt(Step step, int nth);
    void failRenameOf(const QString &path);
    void endProcessAt(Step step, int nth, When when);
    void clear();
    // How many times the step has run, or been tried, so far.
    int runs(Step step) const;

    bool before(Step step, const QString &path, QString *error) override;
    void after(Step step) override;

private:
    static constexpr std::size_t steps = 4;

    mutable QMutex m_mutex;
    std::array<int, steps> m_runs{};
    std::array<int, steps> m_failingRun{}; // 0: none planned
    QString m_failingRename;
    struct {
        Step step = Step::Write;
        int run = 0; // 0: none planned
        When when = When::Before;
    } m_end;
};
