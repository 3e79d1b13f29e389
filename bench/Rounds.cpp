#include "Rounds.h"

#include "Require.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <algorithm>

Figure figureOf(QList<double> samples)
{
    require(!samples.isEmpty(), QStringLiteral("A figure needs at least one round."));
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2), samples.first(), samples.last()};
}

int roundsFor(int customers)
{
    return customers > 10000 ? 5 : 7;
}

double millisecondsSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

Figure repeat(int rounds, const Round &round)
{
    QList<double> samples;
    for (int i = 0; i < rounds; ++i)
        samples << round();
    return figureOf(samples);
}

Pair alternate(int rounds, const Round &program, const Round &anchor)
{
    QList<double> programSamples, anchorSamples;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            programSamples << program();
            anchorSamples << anchor();
        } else {
            anchorSamples << anchor();
            programSamples << program();
        }
    }
    return {figureOf(programSamples), figureOf(anchorSamples)};
}

void waitUntil(const std::function<bool()> &done, const QString &what)
{
    // Wakes the wait below when no other event does, so that the deadline is seen.
    QTimer tick;
    tick.start(5);
    const QDeadlineTimer deadline(30000);
    while (!done()) {
        require(!deadline.hasExpired(), QStringLiteral("Waited 30 s in vain for %1.").arg(what));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
