#pragma once

#include <QChar>
#include <QString>

// The character a key puts into a name box, capitalised as a person writes
// names: a capital at the start, after a blank, a hyphen or a full stop
// (just before or just after the caret), and after "Mc"; small otherwise.
// text is the box's text before the key, caret the number of characters
// before the caret (the start of a selection). Backspace and characters
// without letter case pass unchanged. Any caret position works, however long
// the text.
QChar ProperCaseKey(const QString &text, qsizetype caret, QChar key);
