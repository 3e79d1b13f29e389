#pragma once

#include <QString>

// A text from a file or a box as a message quotes it: in double quotes, cut
// after its first 40 characters with an ellipsis, so that a huge file cannot
// flood the message box (laying out megabytes of text hangs the program).
namespace QuotedText {

QString of(const QString &text);

} // namespace QuotedText
