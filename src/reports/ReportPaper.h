#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSize>

// The paper a report is laid out on: Letter where the locale measures in
// inches, A4 elsewhere, turned for a landscape report.
namespace ReportPaper {

QPageSize defaultSize();
QPageLayout pageLayout(const QPageSize &size, bool landscape);
// The paper's size in twips, turned as the layout says.
QSize inTwips(const QPageLayout &layout);

} // namespace ReportPaper
