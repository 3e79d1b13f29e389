#pragma once

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
