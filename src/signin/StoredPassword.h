#pragma once

#include <QString>
#include <optional>

class DataFolder;
class MessageBox;
class QWidget;

// The whole content of pw.kvd in the folder, as a window signing in reads
// it; when it cannot be read, the user is told in a box with the window's
// title, and nothing is returned.
std::optional<QString> storedPassword(const DataFolder &folder, MessageBox &messages,
                                      QWidget *parent, const QString &title);
