#include "SideBySide.h"

#include <future>

bool runSideBySide(const std::vector<SideBySideJob> &jobs, QString *error)
{
    struct Outcome {
        bool ok = false;
        QString error;
    };
    std::vector<std::future<Outcome>> running;
    for (const SideBySideJob &job : jobs)
        running.push_back(std::async(std::launch::async, [&job] {
            Outcome outcome;
            outcome.ok = job(&outcome.error);
            return outcome;
        }));
    bool ok = true;
    for (std::future<Outcome> &each : running) {
        const Outcome outcome = each.get();
        if (ok && !outcome.ok) {
            *error = outcome.error;
            ok = false;
        }
    }
    return ok;
}
