#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringMatcher>
#include <array>

// Whether a text holds another, letter case aside and taken literally: the
// test a search puts to every cell. Cells come as UTF-8; the ASCII ones,
// nearly all of them, are compared byte by byte without being decoded.
class TextMatch
{
public:
    explicit TextMatch(const QString &wanted);

    bool in(QByteArrayView utf8) const { return in(QString::fromUtf8(utf8)); }
    bool in(const QString &text) const { return m_matcher.indexIn(text) >= 0; }
    // For text known to hold ASCII characters only, every byte below 0x80.
    bool inAscii(QByteArrayView text) const;

private:
    QStringMatcher m_matcher;
    QByteArray m_lowerAscii; // empty when the wanted text is not all ASCII
    std::array<bool, 256> m_isFirst{}; // the bytes a match may begin with, in either case
};
