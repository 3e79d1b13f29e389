#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

// The face the reports print in, Liberation Sans (Arial's metrics) or the
// default sans face where it is missing, sized for a painter that draws in
// twips: 20 to a point.
class ReportFont
{
public:
    explicit ReportFont(double pointSize);

    static QFont inTwips(double pointSize);

    // The text whole when it fits in a box this many twips wide, else cut
    // short and ended with "…" so that it stays within the box.
    QString elided(const QString &text, int width) const;
    // The text whole when it fits, else cut after the last letter that fits.
    QString clipped(const QString &text, int width) const;
    // The sum of the letters' widths, which the text as drawn never exceeds
    // (a pair of letters may be drawn closer); infinite for a letter beyond
    // the basic plane, which is measured only with its text.
    qreal lettersWidth(const QString &text) const;

private:
    // Infinite for half of a letter beyond the basic plane.
    qreal advance(QChar letter) const;

    QFontMetricsF m_metrics;
    mutable QHash<QChar, qreal> m_advances;
};
