#include "HelpPage.h"

#include <QDir>
#include <QFileInfo>

namespace HelpPage {

QString pathFor(const QString &programFolder)
{
    const QString beside = QDir(programFolder).filePath(fileName);
    const QString shared = QDir::cleanPath(programFolder + QStringLiteral("/../share/bramblewood/") +
                                           fileName);
    if (!QFileInfo::exists(beside) && QFileInfo::exists(shared))
        return shared;
    return beside;
}

} // namespace HelpPage
