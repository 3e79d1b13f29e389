#pragma once

#include "RowBlock.h"

#include <QStringList>
#include <QVariant>

// The rows a report prints, as its query returned them, in one compact block.
struct ReportRows {
    QStringList columns;
    RowBlock cells;

    qsizetype count() const { return cells.rows(); }
    QVariant value(qsizetype row, qsizetype column) const { return cells.value(row, column); }
};
