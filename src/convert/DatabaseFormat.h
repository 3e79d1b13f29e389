#pragma once

#include <QString>

// What a database file holds, told by its first bytes: one of ours
// (SQLite), one of the older program's Access files in the format of
// Access 97 (Jet 3) or Access 2000 to 2003 (Jet 4), one of Access 2007 or
// later (ACE), or anything else.
enum class DatabaseFormat { Ours, Jet3, Jet4, Ace, Other };

namespace DatabaseFormats {

DatabaseFormat of(const QString &path);

// "Access 97", "Access 2000 to 2003": the program that writes the format.
QString writtenBy(DatabaseFormat format);

} // namespace DatabaseFormats
