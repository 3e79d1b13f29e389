#include "TextMatch.h"

#include <algorithm>

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool isAscii(QByteArrayView text)
{
    for (const char c : text)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

} // namespace

TextMatch::TextMatch(const QString &wanted) : m_matcher(wanted, Qt::CaseInsensitive)
{
    const bool ascii = std::all_of(wanted.begin(), wanted.end(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        m_lowerAscii = wanted.toLatin1().toLower();
}

// Letters beyond ASCII can fold to ASCII ones (the Kelvin sign to k), so a
// text holding any of them goes through the full Unicode comparison.
bool TextMatch::in(QByteArrayView utf8) const
{
    if (m_lowerAscii.isEmpty() || !isAscii(utf8))
        return in(QString::fromUtf8(utf8));
    return inAscii(utf8);
}

bool TextMatch::inAscii(QByteArrayView text) const
{
    const qsizetype length = m_lowerAscii.size();
    const char first = m_lowerAscii.front();
    for (qsizetype start = 0; start + length <= text.size(); ++start) {
        if (lower(text[start]) != first)
            continue;
        qsizetype i = 1;
        while (i < length && lower(text[start + i]) == m_lowerAscii[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}
