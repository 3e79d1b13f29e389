#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The folder that holds the seven data files. A folder with none of them is
// a fresh installation; a folder with only some has lost data, and nothing
// may paper over that.
namespace DataFolder {

inline const QString defaultPassword = QStringLiteral("bramblewood");

QStringList missingFiles(const QDir &folder);

// Creates all seven files, or none: the three databases with their empty
// tables, the default password, a balance of 0 and two empty name lists.
bool install(const QDir &folder, QString *error);

} // namespace DataFolder
