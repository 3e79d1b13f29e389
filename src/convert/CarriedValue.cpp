#include "CarriedValue.h"

#include "QuotedText.h"

#include <QDate>
#include <cmath>

namespace {

using Kind = CarriedValue::Kind;

bool isWholeNumber(int type)
{
    return type == JetTable::Byte || type == JetTable::Integer || type == JetTable::Long;
}

bool isText(int type)
{
    return type == JetTable::Text || type == JetTable::Memo;
}

// Currency comes as whole ten-thousandths, exact; the rest as decimal text.
std::optional<double> number(const QString &value, int type)
{
    bool ok = false;
    double number = 0;
    if (type == JetTable::Currency)
        number = double(value.toLongLong(&ok)) / 10000;
    else if (type == JetTable::YesNo)
        return value == QLatin1String("1") ? -1 : 0;
    else if (type != JetTable::DateTime && type != JetTable::Binary && type != JetTable::OleObject)
        number = value.trimmed().toDouble(&ok);
    return ok && std::isfinite(number) ? std::optional(number) : std::nullopt;
}

// Days from 1899-12-30 with the time of day as a fraction, which before
// that day counts away from it: the whole days alone are the date.
std::optional<QString> isoDate(const QString &value)
{
    bool ok = false;
    const double days = value.toDouble(&ok);
    if (!ok || !(std::fabs(days) < 4e6))
        return std::nullopt;
    const QDate date = QDate(1899, 12, 30).addDays(qint64(std::trunc(days)));
    if (date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    return date.toString(Qt::ISODate);
}

std::optional<QVariant> carried(const QString &value, int type, Kind kind)
{
    switch (kind) {
    case Kind::Key:
        if (isWholeNumber(type))
            return value.toLongLong();
        break;
    case Kind::Text:
        if (isText(type))
            return value;
        [[fallthrough]];
    case Kind::Date:
        if (type == JetTable::DateTime) {
            if (const auto date = isoDate(value))
                return *date;
        } else if (const auto n = number(value, type); n && kind == Kind::Text) {
            return QString::number(*n, 'g', QLocale::FloatingPointShortest);
        }
        break;
    case Kind::YesNo:
        if (const auto n = number(value, type); n && !isText(type))
            return *n != 0 ? -1 : 0;
        break;
    case Kind::Number:
        if (const auto n = number(value, type))
            return *n;
        break;
    }
    return std::nullopt;
}

QString problem(const QString &value, int type, Kind kind)
{
    if (type == JetTable::DateTime && (kind == Kind::Date || kind == Kind::Text))
        return QStringLiteral("a date outside the years 100 to 9999");
    const QString what = kind == Kind::Date     ? QStringLiteral("a date")
                         : kind == Kind::YesNo  ? QStringLiteral("yes or no")
                         : kind == Kind::Text   ? QStringLiteral("text")
                                                : QStringLiteral("a number");
    return QStringLiteral("%1 is not %2").arg(QuotedText::of(value), what);
}

} // namespace

namespace CarriedValue {

Result carry(const JetTable::Value &value, int type, Kind kind)
{
    const QVariant none = kind == Kind::YesNo ? QVariant(0) : QVariant();
    if (!value && type != JetTable::YesNo)
        return {none, {}};
    const QString text = value.value_or(QString());
    if (const auto result = carried(text, type, kind))
        return {*result, {}};
    return {none, problem(text, type, kind)};
}

} // namespace CarriedValue
