#pragma once

#include <QString>

// The help page lies beside the program, or in its share folder once installed.
namespace HelpPage {

inline const QString fileName = QStringLiteral("Bramblewood.html");

// The page's path for a program in programFolder: beside it when it is
// there, else in ../share/bramblewood when that is there, else beside it.
QString pathFor(const QString &programFolder);

// A path this short means the program sits in the file system's root,
// where no help was ever installed.
inline bool isTooShort(const QString &path) { return path.size() < 20; }

} // namespace HelpPage
