#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The helper program bench_first_paint, which lies beside the bench, run in
// one of its modes: the time from the spawn until it printed its one line,
// and the line.
struct HelperLine {
    double milliseconds = 0;
    QString text;
};

HelperLine runHelper(const QStringList &arguments, const QProcessEnvironment &environment);
