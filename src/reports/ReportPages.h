#pragma once

#include "ReportDefinition.h"
#include "ReportFont.h"
#include "ReportPage.h"
#include "ReportRows.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <map>
#include <optional>

// A report's pages on paper of the given size (in twips), each laid out only
// when it is asked for, so that a long report shows its first page at once
// and a printout holds one page at a time: the report header once at the
// start, the page header at the top of every page, a detail band for every
// row, the page footer at the foot of every page and the report footer once
// at the end. Labels read %p as the page number, %P as the number of pages
// and %d as the date of printing. No band ever grows, so the page
// breaks follow from the band heights and the number of rows alone: they are
// known before any page is laid out, and with them the count that "%P" prints.
// A value keeps a gap to the next column, and one longer than its box is
// drawn smaller or cut short with "…", so that it never runs into the next
// column or off the paper: a phone number, an amount or a date loses no
// character, but shrinks to fit, down to 6 points; an address, a city or a
// comment shrinks before it is cut; any other value is cut.
// The rows are the caller's and must outlive the pages; they need only be read
// as far as the pages asked for.
class ReportPages
{
public:
    ReportPages(const ReportDefinition &report, const ReportRows &rows, QSize paper,
                const QDate &printed);

    int count() const { return int(m_firstRows.size()); }
    // The rows a page needs read: the last page needs them all for its sums.
    qsizetype rowsNeededFor(int index) const;

    // The report header on the first page only, the page header, the page's
    // detail bands, the report footer on the last page only, the page footer.
    // Nothing when there is no such page, or its rows are not all read yet.
    std::optional<ReportPage> page(int index) const;

private:
    static constexpr int noRow = -1; // a band that prints no row
    int place(ReportPage &page, const ReportBand &band, int y, int index, int row) const;
    QString text(const ReportControl &control, int index, int row) const;
    double sum(const QString &field) const;
    // The text as it goes into the control's box at y, at the size it fits.
    PlacedText fitted(const ReportControl &control, const QString &text, int y, int height) const;
    const ReportFont &font(double pointSize) const;

    ReportDefinition m_report;
    const ReportRows *m_rows;
    QString m_printed;
    int m_top = 0;
    int m_footerTop = 0;
    QHash<QString, int> m_columnOf;
    QList<int> m_firstRows; // of each page; the last page ends with the report footer
    mutable std::map<double, ReportFont> m_fonts; // by point size
};
