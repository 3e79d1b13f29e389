#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

// The rows a report prints, as its query returned them.
struct ReportRows {
    QStringList columns;
    QList<QList<QVariant>> rows;
};
