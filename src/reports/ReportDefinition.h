#pragma once

#include "FieldText.h"

#include <QList>
#include <QString>

// A banded report as data: positions and sizes in twips from the left edge
// of the band, every control at the top of its band.
struct ReportControl {
    enum class Kind { Label, Field, Sum };

    Kind kind = Kind::Label;
    QString text; // the caption of a label, the field of a field or a sum
    int left = 0;
    int width = 0;
    FieldFormat format = FieldFormat::Text;
    double pointSize = 8.25;
};

struct ReportBand {
    int height = 0;
    QList<ReportControl> controls;
};

struct ReportDefinition {
    QString caption; // of the report's window
    int contentWidth = 0;
    int marginLeftRight = 0;
    int marginTopBottom = 0;
    bool landscape = false;
    ReportBand reportHeader; // once, at the start
    ReportBand pageHeader;   // at the top of every page
    ReportBand detail;       // once for every row
    ReportBand pageFooter;   // at the foot of every page
    ReportBand reportFooter; // once, at the end
};
