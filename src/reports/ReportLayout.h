#pragma once

#include "ReportDefinition.h"
#include "ReportRows.h"

#include <QDate>
#include <QList>
#include <QRect>
#include <QString>

// One text on a laid-out page: where it stands in twips from the paper's
// top left corner, and the box it is clipped to.
struct PlacedText {
    QString text;
    QRect rect;
    double pointSize = 8.25;
};

struct ReportPage {
    QList<PlacedText> texts;
};

// Lays a report out onto pages of the given paper size (in twips): the
// report header once at the start, the page header at the top of every page,
// a detail band for every row, the page footer at the foot of every page and
// the report footer once at the end. Labels read %p as the page number, %P
// as the number of pages and %d as the date of printing.
namespace ReportLayout {

// A field's value as the report prints it.
QString formatted(const QVariant &value, ReportControl::Format format);

} // namespace ReportLayout
