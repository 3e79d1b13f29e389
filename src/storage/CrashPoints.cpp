#include "CrashPoints.h"

#include <array>
#include <unistd.h>

namespace {

std::array<int, 3> counts{};

struct Plan {
    CrashPoints::Step step;
    int run = 0; // 0: none planned
    CrashPoints::When when;
} plan;

} // namespace

namespace CrashPoints {

void reach(Step step, When when)
{
    int &count = counts[std::size_t(step)];
    if (when == When::Before)
        ++count;
    if (plan.run != 0 && plan.step == step && plan.when == when && count == plan.run)
        ::_exit(exitCode);
}

void endProcessAt(Step step, int nth, When when)
{
    plan = {step, runs(step) + nth, when};
}

int runs(Step step)
{
    return counts[std::size_t(step)];
}

} // namespace CrashPoints
