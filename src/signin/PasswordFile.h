#pragma once

#include <QString>
#include <optional>

// pw.kvd: the password followed by CR LF. Its whole content, line break
// included, is the stored password, and a typed password matches when it
// equals the content with CR LF put after it: whole text against whole text,
// letter case and blanks counting. A file without its line break, or with a
// second line, matches nothing typed.
namespace PasswordFile {

std::optional<QString> read(QString *error);
bool matches(const QString &typed, const QString &stored);
bool write(const QString &password, QString *error);

} // namespace PasswordFile
