#include "ReportLayout.h"

#include "DateText.h"
#include "NumberText.h"

#include <QHash>

namespace {

// Places bands onto pages, opening a page whenever the next band would run
// into the page footer.
class PageFiller
{
public:
    PageFiller(const ReportDefinition &report, const ReportRows &rows, QSize paper,
               const QDate &printed)
        : m_report(report), m_rows(rows), m_printed(DateText::toShort(printed)),
          m_top(report.marginTopBottom),
          m_footerTop(paper.height() - report.marginTopBottom - report.pageFooter.height)
    {
        for (const ReportBand *band : {&report.detail, &report.reportFooter})
            for (const ReportControl &control : band->controls)
                if (control.kind != ReportControl::Kind::Label)
                    m_columnOf.insert(control.text, rows.columns.indexOf(control.text));
    }

    QList<ReportPage> fill()
    {
        m_pages.append(ReportPage());
        m_y = m_top;
        place(m_report.reportHeader, nullptr);
        place(m_report.pageHeader, nullptr);
        for (const QList<QVariant> &row : m_rows.rows) {
            makeRoomFor(m_report.detail.height);
            place(m_report.detail, &row);
        }
        makeRoomFor(m_report.reportFooter.height);
        place(m_report.reportFooter, nullptr);
        placeFooter();
        numberPages();
        return m_pages;
    }

private:
    void makeRoomFor(int height)
    {
        if (m_y + height <= m_footerTop)
            return;
        placeFooter();
        m_pages.append(ReportPage());
        m_y = m_top;
        place(m_report.pageHeader, nullptr);
    }

    void placeFooter()
    {
        const int y = m_y;
        m_y = m_footerTop;
        place(m_report.pageFooter, nullptr);
        m_y = y;
    }

    void place(const ReportBand &band, const QList<QVariant> *row)
    {
        for (const ReportControl &control : band.controls) {
            const QRect rect(m_report.marginLeftRight + control.left, m_y, control.width, band.height);
            QList<PlacedText> &texts = m_pages.last().texts;
            if (control.kind == ReportControl::Kind::Label && control.text.contains(u'%'))
                m_numbered.append({m_pages.size() - 1, texts.size()});
            texts.append({text(control, row), rect, control.pointSize});
        }
        m_y += band.height;
    }

    QString text(const ReportControl &control, const QList<QVariant> *row) const
    {
        switch (control.kind) {
        case ReportControl::Kind::Label:
            return QString(control.text).replace(QLatin1String("%d"), m_printed);
        case ReportControl::Kind::Field: {
            const int column = m_columnOf.value(control.text, -1);
            return column < 0 || !row ? QString()
                                      : ReportLayout::formatted(row->at(column), control.format);
        }
        case ReportControl::Kind::Sum:
            break;
        }
        const int column = m_columnOf.value(control.text, -1);
        double sum = 0;
        for (const QList<QVariant> &each : m_rows.rows)
            if (column >= 0)
                sum += each.at(column).toDouble();
        return ReportLayout::formatted(sum, control.format);
    }

    // Page numbers are known only once every page is laid out.
    void numberPages()
    {
        const QString count = QString::number(m_pages.size());
        for (const auto &[page, index] : std::as_const(m_numbered))
            m_pages[page].texts[index].text.replace(QLatin1String("%p"), QString::number(page + 1))
                .replace(QLatin1String("%P"), count);
    }

    const ReportDefinition &m_report;
    const ReportRows &m_rows;
    const QString m_printed;
    const int m_top;
    const int m_footerTop;
    QHash<QString, int> m_columnOf;
    QList<ReportPage> m_pages;
    QList<std::pair<qsizetype, qsizetype>> m_numbered; // labels that show page numbers
    int m_y = 0;
};

} // namespace

namespace ReportLayout {

QString formatted(const QVariant &value, ReportControl::Format format)
{
    if (value.isNull())
        return {};
    switch (format) {
    case ReportControl::Format::TwoDecimals:
        return NumberText::twoDecimals(value.toDouble());
    case ReportControl::Format::ShortDate: {
        const QDate date = DateText::fromStored(value.toString());
        return date.isValid() ? DateText::toShort(date) : value.toString();
    }
    case ReportControl::Format::AsStored:
        break;
    }
    if (value.typeId() == QMetaType::Double)
        return NumberText::shortest(value.toDouble());
    return value.toString();
}

QList<ReportPage> layOut(const ReportDefinition &report, const ReportRows &rows, QSize paper,
                         const QDate &printed)
{
    return PageFiller(report, rows, paper, printed).fill();
}

} // namespace ReportLayout
