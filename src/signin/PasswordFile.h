#pragma once

#include <QString>
#include <optional>

class DataFolder;
class MessageBox;
class QWidget;

// pw.kvd: the password followed by CR LF. Its whole content, line break
// included, is the stored password, and a typed password matches when it
// equals the content with CR LF put after it: whole text against whole text,
// letter case and blanks counting. A file without its line break, or with a
// second line, matches nothing typed.
namespace PasswordFile {

// The whole content of pw.kvd in the folder; when it cannot be read, the
// user is told in a box with the window's title, and nothing is returned.
std::optional<QString> load(const DataFolder &folder, MessageBox &messages, QWidget *parent,
                            const QString &title);
bool matches(const QString &typed, const QString &stored);
bool write(const DataFolder &folder, const QString &password, QString *error);

} // namespace PasswordFile
