#include "ReportLayout.h"

#include "DateText.h"
#include "NumberText.h"

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

} // namespace ReportLayout
