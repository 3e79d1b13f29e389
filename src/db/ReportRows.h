#pragma once

#include "RowBlock.h"

#include <QStringList>
#include <QVariant>

// The rows a report prints, in the query's order, in one compact block. The
// count is known before the rows are all read.
struct ReportRows {
    QStringList columns;
    RowBlock cells;      // the rows read so far
    qsizetype total = 0; // the rows the query returns

    qsizetype count() const { return total; }
    bool complete() const { return cells.rows() == total; }
    QVariant value(qsizetype row, qsizetype column) const { return cells.value(row, column); }
};
