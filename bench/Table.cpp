#include "Table.h"

#include <algorithm>
#include <cstdio>

Goal Goal::below(double limit, const QString &unit)
{
    return {QStringLiteral("< %1 %2").arg(limit).arg(unit), limit, true, {}};
}

Goal Goal::atMost(double limit, const QString &unit)
{
    return {QStringLiteral("<= %1 %2").arg(limit).arg(unit), limit, false, {}};
}

Goal Goal::timesAnchor(double maxRatio)
{
    return {QStringLiteral("<= %1x anchor").arg(maxRatio, 0, 'f', 1), {}, false, maxRatio};
}

Row::Row(const QString &work, int customers, const Goal &goal, const QString &unit)
    : work(work), customers(customers), goal(goal), unit(unit)
{
}

Row::Row(const QString &work, int customers, const Goal &goal, const Pair &figures, const QString &unit)
    : work(work), customers(customers), goal(goal), unit(unit), program(figures.program),
      anchor(figures.anchor)
{
}

namespace {

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : value < 100 ? 1 : 0);
}

QString shown(const std::optional<Figure> &figure, const QString &unit)
{
    if (!figure)
        return QStringLiteral("-");
    return QStringLiteral("%1 %2 [%3-%4]")
        .arg(number(figure->median), unit, number(figure->min), number(figure->max));
}

std::optional<double> ratioOf(const Row &row)
{
    if (!row.program || !row.anchor || row.anchor->median <= 0)
        return std::nullopt;
    return row.program->median / row.anchor->median;
}

QString verdict(const Row &row)
{
    if (!row.program)
        return QStringLiteral("skipped");
    if (!row.goal.limit && !row.goal.maxRatio)
        return QStringLiteral("-");
    const double median = row.program->median;
    bool met = true;
    if (row.goal.limit)
        met = row.goal.strict ? median < *row.goal.limit : median <= *row.goal.limit;
    if (row.goal.maxRatio) {
        const std::optional<double> ratio = ratioOf(row);
        if (!ratio)
            return QStringLiteral("no anchor");
        met = met && *ratio <= *row.goal.maxRatio;
    }
    return met ? QStringLiteral("yes") : QStringLiteral("NO");
}

// The anchors that are figures of the program itself, at another number of customers.
void fillOwnAnchors(QList<Row> &rows)
{
    for (Row &row : rows) {
        if (!row.anchorCustomers)
            continue;
        for (const Row &other : std::as_const(rows))
            if (other.work == row.work && other.customers == row.anchorCustomers)
                row.anchor = other.program;
        if (!row.anchor)
            row.note = QStringLiteral("no run at %1 customers to compare with").arg(row.anchorCustomers);
    }
}

void printLine(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
}

} // namespace

void printTable(QList<Row> rows, const QStringList &anchors)
{
    fillOwnAnchors(rows);
    // Grouped by work, in the order measured, then by the number of customers.
    QStringList works;
    for (const Row &row : std::as_const(rows))
        if (!works.contains(row.work))
            works << row.work;
    std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) {
        return works.indexOf(a.work) < works.indexOf(b.work);
    });
    const QString format = QStringLiteral("%1  %2  %3  %4  %5  %6  %7");
    printLine(format.arg(QStringLiteral("work"), -24)
                  .arg(QStringLiteral("customers"), 9)
                  .arg(QStringLiteral("goal"), -22)
                  .arg(QStringLiteral("program: median [min-max]"), -28)
                  .arg(QStringLiteral("anchor: median [min-max]"), -28)
                  .arg(QStringLiteral("ratio"), 6)
                  .arg(QStringLiteral("met")));
    QStringList notes;
    for (const Row &row : std::as_const(rows)) {
        const std::optional<double> ratio = ratioOf(row);
        printLine(format.arg(row.work, -24)
                      .arg(row.customers, 9)
                      .arg(row.goal.text, -22)
                      .arg(shown(row.program, row.unit), -28)
                      .arg(shown(row.anchor, row.unit), -28)
                      .arg(ratio ? QString::number(*ratio, 'f', 2) : QStringLiteral("-"), 6)
                      .arg(verdict(row)));
        if (!row.note.isEmpty())
            notes << QStringLiteral("  %1 at %2: %3").arg(row.work).arg(row.customers).arg(row.note);
    }
    printLine(QStringLiteral("\nAnchors:"));
    for (const QString &anchor : anchors)
        printLine(QStringLiteral("  ") + anchor);
    if (!notes.isEmpty())
        printLine(QStringLiteral("\nNotes:\n") + notes.join(u'\n'));
}
