#include "TextMatch.h"

#include <algorithm>

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
}

} // namespace

TextMatch::TextMatch(const QString &wanted) : m_matcher(wanted, Qt::CaseInsensitive)
{
    const bool ascii = std::all_of(wanted.begin(), wanted.end(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (ascii && !wanted.isEmpty()) {
        m_lowerAscii = wanted.toLatin1().toLower();
        m_isFirst[uchar(m_lowerAscii.front())] = true;
        m_isFirst[uchar(upper(m_lowerAscii.front()))] = true;
    }
}

// Letters beyond ASCII can fold to ASCII ones (the Kelvin sign to k), so
// only text of ASCII characters is compared byte by byte.
bool TextMatch::inAscii(QByteArrayView text) const
{
    if (m_lowerAscii.isEmpty())
        return in(QString::fromLatin1(text));
    const char *wanted = m_lowerAscii.constData();
    const qsizetype length = m_lowerAscii.size();
    const char *last = text.data() + text.size() - length;
    for (const char *start = text.data(); start <= last; ++start) {
        if (!m_isFirst[uchar(*start)])
            continue;
        qsizetype i = 1;
        while (i < length && lower(start[i]) == wanted[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}
