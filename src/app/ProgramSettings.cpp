#include "ProgramSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr qsizetype recentCount = 5;
QString fileInUse;

QSettings open()
{
    const QString file = !fileInUse.isEmpty()
                             ? fileInUse
                             : QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                   .filePath(QStringLiteral("Bramblewood/Bramblewood.conf"));
    return QSettings(file, QSettings::IniFormat);
}

} // namespace

namespace ProgramSettings {

QStringList recentFolders()
{
    QStringList folders;
    for (const QString &folder : open().value(QStringLiteral("recentFolders")).toStringList())
        if (QFileInfo(folder).isDir())
            folders << folder;
    return folders.mid(0, recentCount);
}

void addRecentFolder(const QString &path)
{
    QSettings settings = open();
    QStringList folders = settings.value(QStringLiteral("recentFolders")).toStringList();
    const QString folder = QDir(path).absolutePath();
    folders.removeAll(folder);
    folders.prepend(folder);
    settings.setValue(QStringLiteral("recentFolders"), folders.mid(0, recentCount));
}

QByteArray windowGeometry()
{
    return open().value(QStringLiteral("windowGeometry")).toByteArray();
}

void setWindowGeometry(const QByteArray &geometry)
{
    open().setValue(QStringLiteral("windowGeometry"), geometry);
}

void useFile(const QString &path)
{
    fileInUse = path;
}

} // namespace ProgramSettings
