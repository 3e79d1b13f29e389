#include "HelperProcess.h"

#include "Require.h"
#include "Rounds.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>

HelperLine runHelper(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess helper;
    const QDir here(QCoreApplication::applicationDirPath());
    helper.setProgram(here.filePath(QStringLiteral("bench_first_paint")));
    helper.setArguments(arguments);
    helper.setProcessEnvironment(environment);
    const QString name = QStringLiteral("bench_first_paint ") + arguments.join(u' ');
    const QDeadlineTimer deadline(60000);
    QElapsedTimer timer;
    timer.start();
    helper.start();
    require(helper.waitForStarted(), name + QStringLiteral(" did not start: ") + helper.errorString());
    while (!helper.canReadLine()) {
        if (helper.waitForReadyRead(int(deadline.remainingTime())))
            continue;
        const bool ended = helper.state() == QProcess::NotRunning;
        if (!ended) {
            helper.kill();
            helper.waitForFinished();
        }
        require(false, name + (ended ? QStringLiteral(" ended without its line: ")
                                     : QStringLiteral(" printed nothing in 60 s: ")) +
                           QString::fromLocal8Bit(helper.readAllStandardError()).trimmed());
    }
    const double elapsed = millisecondsSince(timer);
    const QString line = QString::fromLocal8Bit(helper.readLine()).trimmed();
    require(helper.waitForFinished(10000) && helper.exitCode() == 0,
            name + QStringLiteral(" did not end after its line."));
    return {elapsed, line};
}
