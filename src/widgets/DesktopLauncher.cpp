#include "DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool DesktopLauncher::openDocument(const QString &path, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("The file %1 does not exist.").arg(path);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        *error = QStringLiteral("No program could be found to open %1.").arg(path);
        return false;
    }
    return true;
}

bool DesktopLauncher::startProgram(const QString &program, QString *error)
{
    if (!QProcess::startDetached(program, {})) {
        *error = QStringLiteral("%1 could not be started.").arg(program);
        return false;
    }
    return true;
}
