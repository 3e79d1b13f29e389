#include "StartupRows.h"

#include "Anchors.h"
#include "DataFolder.h"
#include "HelperProcess.h"
#include "Require.h"
#include "VirtualDisplay.h"

#include <QTemporaryDir>

namespace {

// The helper ends with _exit, leaving the folder's lock file behind; the
// program takes a lock whose process is gone as stale, so the next round
// starts as after a crash, which is how a user's start finds it too.
double firstPaint(const DataFolder &folder, const QProcessEnvironment &environment)
{
    return runHelper({QStringLiteral("program"), folder.path()}, environment).milliseconds;
}

double peakMiB(const QString &mode, const QString &folder, const QProcessEnvironment &environment)
{
    const QString line = runHelper({mode, folder}, environment).text;
    bool ok = false;
    const double kib = line.toDouble(&ok);
    require(ok, QStringLiteral("The helper printed no peak memory but: ") + line);
    return kib / 1024.0;
}

// Each round a new, empty folder, which the program sets up as a fresh installation.
double peakMiBOfEmptyFolder(const QProcessEnvironment &environment)
{
    const QTemporaryDir empty;
    require(empty.isValid(), empty.errorString());
    return peakMiB(QStringLiteral("rss-empty"), empty.path(), environment);
}

} // namespace

QList<Row> startupRows(const DataFolder &folder, int customers, const VirtualDisplay &display)
{
    const int rounds = roundsFor(customers);
    const QProcessEnvironment environment = display.environment();
    Row paint(QStringLiteral("spawn to first paint"), customers, Goal::timesAnchor(2));
    if (display.available()) {
        const Pair figures = alternate(rounds, [&] { return firstPaint(folder, environment); },
                                       [&] { return Anchors::emptyWindowFirstPaint(environment); });
        paint.program = figures.program;
        paint.anchor = figures.anchor;
    } else {
        paint.note = QStringLiteral("skipped: ") + display.reason();
    }
    Row memory(QStringLiteral("peak RSS"), customers, Goal::atMost(110, QStringLiteral("MiB")),
               alternate(rounds, [&] { return peakMiB(QStringLiteral("rss"), folder.path(), environment); },
                         [&] { return peakMiBOfEmptyFolder(environment); }),
               QStringLiteral("MiB"));
    if (!display.available())
        memory.note = QStringLiteral("measured offscreen: ") + display.reason();
    return {paint, memory};
}
