#pragma once

#include <QString>
#include <optional>

class DataFolder;

// pw.kvd: the password followed by CR LF. Its whole content is the stored
// password, and a typed password matches when it equals that content with
// the final CR LF taken off: whole text against whole text, letter case and
// blanks counting. A file that lost its final line break (edited by hand)
// still matches; one with a second line matches nothing typed.
namespace PasswordFile {

// The whole content of pw.kvd in the folder; nothing, and why, when it
// cannot be read.
std::optional<QString> read(const DataFolder &folder, QString *error);
bool matches(const QString &typed, const QString &stored);
// False when pw.kvd is missing or holds no password, nothing but perhaps its
// line break: no one could sign in with it. A file that cannot be read counts
// as holding one; the windows that read it say why they cannot.
bool holdsPassword(const DataFolder &folder);
bool write(const DataFolder &folder, const QString &password, QString *error);

} // namespace PasswordFile
