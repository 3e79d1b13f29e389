#include "ReportLayout.h"

#include "DateText.h"
#include "NumberText.h"
#include "ReportPages.h"

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
    const ReportPages pages(report, rows, paper, printed);
    QList<ReportPage> all;
    all.reserve(pages.count());
    for (int index = 0; index < pages.count(); ++index) {
        const std::optional<ReportPage> page = pages.page(index);
        if (!page)
            break;
        all.append(*page);
    }
    return all;
}

} // namespace ReportLayout
