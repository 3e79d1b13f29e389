#pragma once

#include "Rounds.h"

#include <QList>
#include <QString>
#include <optional>

// What a figure must come to: a bound of its own, a bound on its ratio to the
// anchor, or both.
struct Goal {
    QString text;
    std::optional<double> limit;
    bool strict = false; // "<" rather than "<="
    std::optional<double> maxRatio;

    static Goal below(double limit, const QString &unit);
    static Goal atMost(double limit, const QString &unit);
    static Goal timesAnchor(double maxRatio);
};

// One line of the table: one piece of work at one number of customers.
struct Row {
    Row(const QString &work, int customers, const Goal &goal, const QString &unit = QStringLiteral("ms"));
    // A row of the program's figure beside its anchor's.
    Row(const QString &work, int customers, const Goal &goal, const Pair &figures,
        const QString &unit = QStringLiteral("ms"));

    QString work;
    int customers = 0;
    Goal goal;
    QString unit = QStringLiteral("ms");
    std::optional<Figure> program; // none: skipped, for the reason in note
    std::optional<Figure> anchor;
    // When set, the anchor is this work's own figure at that many customers.
    int anchorCustomers = 0;
    QString note;
};

void printTable(QList<Row> rows, const QStringList &anchors);
