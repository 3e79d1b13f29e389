#include "ReportPages.h"

#include "DateText.h"
#include "FieldText.h"

#include <cmath>

namespace {

// What a value may give up to fit its box.
enum class Fitting { Cut, ShrinkThenCut, Shrink };

constexpr int gapToTheNext = 60; // twips: three points
constexpr double smallestSize = 6;

Fitting fittingOf(const ReportControl &control)
{
    static const QStringList everyCharacterCounts{
        QStringLiteral("Account"), QStringLiteral("Zip"),           QStringLiteral("Home"),
        QStringLiteral("Cell"),    QStringLiteral("HisWork"),       QStringLiteral("HerWork"),
        QStringLiteral("AmountPerVisit"), QStringLiteral("AmountMonthly")};
    static const QStringList mayShrink{QStringLiteral("Address"), QStringLiteral("City"),
                                       QStringLiteral("Comments")};
    if (control.kind == ReportControl::Kind::Sum ||
        control.format != FieldFormat::Text ||
        everyCharacterCounts.contains(control.text))
        return Fitting::Shrink;
    return mayShrink.contains(control.text) ? Fitting::ShrinkThenCut : Fitting::Cut;
}

} // namespace

ReportPages::ReportPages(const ReportDefinition &report, const ReportRows &rows, QSize paper,
                         const QDate &printed)
    : m_report(report), m_rows(&rows), m_printed(DateText::toShort(printed)),
      m_top(report.marginTopBottom),
      m_footerTop(paper.height() - report.marginTopBottom - report.pageFooter.height)
{
    for (const ReportBand *band : {&report.detail, &report.reportFooter})
        for (const ReportControl &control : band->controls)
            if (control.kind != ReportControl::Kind::Label)
                m_columnOf.insert(control.text, rows.columns.indexOf(control.text));
    // A band that would run into the page footer opens a new page; the
    // report footer follows the last row as one more band.
    const int rowCount = int(rows.count());
    int y = m_top + report.reportHeader.height + report.pageHeader.height;
    m_firstRows.append(0);
    for (int row = 0; row <= rowCount; ++row) {
        const int height = row < rowCount ? report.detail.height : report.reportFooter.height;
        if (y + height > m_footerTop) {
            m_firstRows.append(row);
            y = m_top + report.pageHeader.height;
        }
        y += height;
    }
}

qsizetype ReportPages::rowsNeededFor(int index) const
{
    return index == count() - 1 ? m_rows->count() : m_firstRows[index + 1];
}

std::optional<ReportPage> ReportPages::page(int index) const
{
    if (index < 0 || index >= count() || m_rows->cells.rows() < rowsNeededFor(index))
        return std::nullopt;
    ReportPage page;
    int y = m_top;
    if (index == 0)
        y = place(page, m_report.reportHeader, y, index, noRow);
    y = place(page, m_report.pageHeader, y, index, noRow);
    const bool last = index == count() - 1;
    const int end = last ? int(m_rows->count()) : m_firstRows[index + 1];
    for (int row = m_firstRows[index]; row < end; ++row)
        y = place(page, m_report.detail, y, index, row);
    if (last)
        place(page, m_report.reportFooter, y, index, noRow);
    place(page, m_report.pageFooter, m_footerTop, index, noRow);
    return page;
}

// Returns where the next band begins.
int ReportPages::place(ReportPage &page, const ReportBand &band, int y, int index, int row) const
{
    for (const ReportControl &control : band.controls)
        page.texts.append(fitted(control, text(control, index, row), y, band.height));
    return y + band.height;
}

QString ReportPages::text(const ReportControl &control, int index, int row) const
{
    switch (control.kind) {
    case ReportControl::Kind::Label:
        if (!control.text.contains(u'%'))
            return control.text;
        return QString(control.text)
            .replace(QLatin1String("%d"), m_printed)
            .replace(QLatin1String("%p"), QString::number(index + 1))
            .replace(QLatin1String("%P"), QString::number(count()));
    case ReportControl::Kind::Field: {
        const int column = m_columnOf.value(control.text, -1);
        return column < 0 || row == noRow
                   ? QString()
                   : FieldText::display(m_rows->value(row, column), control.format);
    }
    case ReportControl::Kind::Sum:
        break;
    }
    return FieldText::display(sum(control.text), control.format);
}

const ReportFont &ReportPages::font(double pointSize) const
{
    return m_fonts.try_emplace(pointSize, pointSize).first->second;
}

// A caption is cut after its last letter that fits, at its own size.
PlacedText ReportPages::fitted(const ReportControl &control, const QString &text, int y,
                               int height) const
{
    const QRect box(m_report.marginLeftRight + control.left, y, control.width, height);
    if (control.kind == ReportControl::Kind::Label)
        return {font(control.pointSize).clipped(text, control.width), box, control.pointSize};
    const int room = control.width - gapToTheNext;
    double size = control.pointSize;
    const qreal width = font(size).lettersWidth(text);
    if (width <= room) // nearly every value
        return {text, box, size};
    if (fittingOf(control) != Fitting::Cut) {
        // Widths grow with the size: the size that fits is found at once, in
        // quarter points, and checked, letter widths rounding as they do.
        size = std::max(smallestSize, std::floor(size * room / width * 4) / 4);
        while (size > smallestSize && font(size).lettersWidth(text) > room)
            size = std::max(smallestSize, size - 0.25);
    }
    // Past the smallest size, cutting keeps even a value that cannot be what
    // it claims (a phone number of fifty letters) clear of its neighbours.
    return {font(size).elided(text, room), box, size};
}

double ReportPages::sum(const QString &field) const
{
    const int column = m_columnOf.value(field, -1);
    double sum = 0;
    if (column >= 0)
        for (qsizetype row = 0; row < m_rows->count(); ++row)
            sum += m_rows->value(row, column).toDouble();
    return sum;
}
