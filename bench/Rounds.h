#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <functional>

// A figure from several rounds: the median, which resists the odd round
// slowed down by the rest of the machine, and the spread.
struct Figure {
    double median = 0, min = 0, max = 0;
};

Figure figureOf(QList<double> samples);

// Fewer rounds where one takes seconds.
int roundsFor(int customers);

double millisecondsSince(const QElapsedTimer &timer);

// Each round measures itself, so that setting up and tearing down stay outside.
using Round = std::function<double()>;

Figure repeat(int rounds, const Round &round);

struct Pair {
    Figure program, anchor;
};

// The program's rounds and its anchor's take turns, and take turns going
// first, so that a slow spell of the machine falls on both alike.
Pair alternate(int rounds, const Round &program, const Round &anchor);

// Processes events until done() holds; 30 seconds without it end the run.
void waitUntil(const std::function<bool()> &done, const QString &what);
