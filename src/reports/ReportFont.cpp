#include "ReportFont.h"

#include <limits>

ReportFont::ReportFont(double pointSize) : m_metrics(inTwips(pointSize)) {}

QFont ReportFont::inTwips(double pointSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pointSize * 20));
    return font;
}

QString ReportFont::elided(const QString &text, int width) const
{
    if (lettersWidth(text) <= width)
        return text;
    return m_metrics.elidedText(text, Qt::ElideRight, width);
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
    for (const QChar c : text) {
        if (c.isSurrogate())
            return std::numeric_limits<qreal>::infinity();
        auto advance = m_advances.constFind(c);
        if (advance == m_advances.cend())
            advance = m_advances.insert(c, m_metrics.horizontalAdvance(c));
        sum += *advance;
    }
    return sum;
}
