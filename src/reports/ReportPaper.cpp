#include "ReportPaper.h"

#include <QLocale>
#include <QMarginsF>
#include <QRectF>

namespace ReportPaper {

QPageSize defaultSize()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                 : QPageSize::A4);
}

QPageLayout pageLayout(const QPageSize &size, bool landscape)
{
    // No margins of the device's own: the report sets its margins itself.
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

QSize inTwips(const QPageLayout &layout)
{
    const QSizeF points = layout.fullRect(QPageLayout::Point).size();
    return {qRound(points.width() * 20), qRound(points.height() * 20)};
}

} // namespace ReportPaper
