#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the program remembers between runs beside the data: the data folders
// used last and where the main window stood. A small file in the user's
// configuration folder; when it cannot be read or written, the program goes
// on without it.
namespace ProgramSettings {

// Most recent first, at most five, those that are folders still.
QStringList recentFolders();
void addRecentFolder(const QString &path);

QByteArray windowGeometry();
void setWindowGeometry(const QByteArray &geometry);

// A test seam: the file to keep them in instead of the user's own.
void useFile(const QString &path);

} // namespace ProgramSettings
