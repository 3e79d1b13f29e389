#pragma once

#include "ReportPage.h"
#include "ReportPages.h"

class QPagedPaintDevice;
class QPainter;

// Draws laid-out pages in Liberation Sans (Arial's metrics), or the default
// sans face where it is missing. It needs a paint device, never a widget.
namespace ReportPainter {

// Draws one page onto a painter whose device has the given resolution.
void paint(QPainter &painter, const ReportPage &page, double dotsPerInch);

// Draws every page onto a paged device (a printer, a PDF writer) whose page
// layout is already set, laying each out just before it is drawn, a new page
// for each after the first. False when the device cannot be painted on, or a
// page cannot be laid out.
bool print(QPagedPaintDevice &device, const ReportPages &pages);

} // namespace ReportPainter
