#include "DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Long enough for xdg-open to hand the page on, or to say that nothing takes it.
constexpr int handOverWait = 2000;

} // namespace

// xdg-open ends with an error when no program takes the page, which Qt's own
// way of opening it does not pass on: it is run here, so that the caller can
// show the page itself instead. One still running after a while has handed
// the page to a browser that it waits for; it is left to run.
bool DesktopLauncher::openDocument(const QString &path, QString *error)
{
    *error = QStringLiteral("No program could be found to open %1.").arg(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("The file %1 does not exist.").arg(path);
        return false;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    auto *process = new QProcess;
    process->start(opener, {path});
    if (!process->waitForFinished(handOverWait) && process->state() == QProcess::Running) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0 &&
                        process->error() != QProcess::FailedToStart;
    delete process;
    return opened;
}

bool DesktopLauncher::startProgram(const QString &program, QString *error)
{
    if (!QProcess::startDetached(program, {})) {
        *error = QStringLiteral("%1 could not be started.").arg(program);
        return false;
    }
    return true;
}
