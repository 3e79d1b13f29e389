#include "ReportFont.h"

#include <cmath>
#include <limits>

ReportFont::ReportFont(double pointSize) : m_metrics(inTwips(pointSize)) {}

QFont ReportFont::inTwips(double pointSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pointSize * 20));
    return font;
}

// Cut by the letters' widths, which the text as drawn never exceeds: the
// text need not be shaped, which would cost as much as drawing it.
QString ReportFont::elided(const QString &text, int width) const
{
    const qreal whole = lettersWidth(text);
    if (whole <= width)
        return text;
    if (std::isinf(whole)) // letters beyond the basic plane are measured with their text
        return m_metrics.elidedText(text, Qt::ElideRight, width);
    const QString ellipsis(QChar(0x2026));
    const qreal room = width - lettersWidth(ellipsis);
    if (room < 0)
        return QString();
    qreal used = 0;
    qsizetype kept = 0;
    for (; kept < text.size() && used + advance(text[kept]) <= room; ++kept)
        used += advance(text[kept]);
    return text.left(kept) + ellipsis;
}

QString ReportFont::clipped(const QString &text, int width) const
{
    QString shown = text;
    while (lettersWidth(shown) > width && m_metrics.horizontalAdvance(shown) > width)
        shown.chop(1);
    return shown;
}

// Nearly every text fits, and the sum of its letters' widths settles that
// without shaping the text, which would cost as much as drawing it. A letter
// beyond the basic plane is two characters, measured only with its text.
qreal ReportFont::lettersWidth(const QString &text) const
{
    qreal sum = 0;
    for (const QChar c : text)
        sum += advance(c);
    return sum;
}

qreal ReportFont::advance(QChar letter) const
{
    if (letter.isSurrogate())
        return std::numeric_limits<qreal>::infinity();
    auto found = m_advances.constFind(letter);
    if (found == m_advances.cend())
        found = m_advances.insert(letter, m_metrics.horizontalAdvance(letter));
    return *found;
}
