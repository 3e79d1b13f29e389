#include "ReportPainter.h"

#include "ReportFont.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ReportPainter {

void paint(QPainter &painter, const ReportPage &page, double dotsPerInch)
{
    painter.save();
    // Positions are in twips; the painter draws in device dots.
    const double scale = dotsPerInch / 1440.0;
    painter.scale(scale, scale);
    double fontSize = -1;
    int lineHeight = 0;
    for (const PlacedText &placed : page.texts) {
        if (placed.text.isEmpty())
            continue;
        if (placed.pointSize != fontSize) {
            fontSize = placed.pointSize;
            painter.setFont(ReportFont::inTwips(fontSize));
            lineHeight = painter.fontMetrics().height();
        }
        // A title taller than its band grows upwards, into the margin, so
        // that it stays whole and clear of the band below it.
        QRect rect = placed.rect;
        if (lineHeight > rect.height())
            rect.setTop(rect.bottom() - lineHeight);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, placed.text);
    }
    painter.restore();
}

// The device's page layout already has the margins at zero: the report
// places its texts from the paper's corner.
bool print(QPagedPaintDevice &device, const ReportPages &pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpi = device.logicalDpiX();
    for (int i = 0; i < pages.count(); ++i) {
        const std::optional<ReportPage> page = pages.page(i);
        if (!page) {
            painter.end();
            return false;
        }
        if (i > 0)
            device.newPage();
        paint(painter, *page, dpi);
    }
    return painter.end();
}

} // namespace ReportPainter
