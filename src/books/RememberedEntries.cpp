#include "RememberedEntries.h"

#include <QRegularExpression>

namespace {
const QString separator = QStringLiteral("\r\n");
}

RememberedEntries::RememberedEntries(int maxCount) : m_maxCount(maxCount) {}

// A line break inside a word would split it in two in the side file; each
// run of them becomes one space, and none is kept at either end.
void RememberedEntries::remember(const QString &typed)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    const QString word = typed.split(lineBreaks, Qt::SkipEmptyParts).join(u' ');
    if (word.isEmpty())
        return;
    m_words.removeAll(word);
    m_words.prepend(word);
    while (m_words.size() > m_maxCount)
        m_words.removeLast();
}

QString RememberedEntries::value() const
{
    return m_words.join(separator);
}

void RememberedEntries::setValue(const QString &value)
{
    m_words.clear();
    // Files edited by hand may end their lines with LF alone.
    static const QRegularExpression lineBreak(QStringLiteral("\r?\n"));
    const QStringList lines = value.split(lineBreak, Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        remember(*it);
}
