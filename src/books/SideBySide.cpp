#include "SideBySide.h"

#include <QtConcurrent>

bool runSideBySide(const std::vector<SideBySideJob> &jobs, QString *error)
{
    struct Outcome {
        bool ok = false;
        QString error;
    };
    std::vector<QFuture<Outcome>> running;
    for (const SideBySideJob &job : jobs)
        running.push_back(QtConcurrent::run([&job] {
            Outcome outcome;
            outcome.ok = job(&outcome.error);
            return outcome;
        }));
    bool ok = true;
    for (QFuture<Outcome> &each : running) {
        const Outcome outcome = each.result();
        if (ok && !outcome.ok) {
            *error = outcome.error;
            ok = false;
        }
    }
    return ok;
}
