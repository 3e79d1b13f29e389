#include "DateText.h"

#include <QRegularExpression>

namespace {

bool usesCFormat(const QLocale &locale)
{
    return locale.language() == QLocale::C;
}

// The order in which day, month and year stand in a numeric format, or
// empty when the format is not purely numeric (month names, weekdays).
QString fieldOrder(const QString &format)
{
    QString order;
    for (const QChar c : format) {
        if (c == u'd' || c == u'M' || c == u'y') {
            if (!order.endsWith(c))
                order += c;
        } else if (c.isLetter()) {
            return {};
        }
    }
    return order.size() == 3 && format.count(u'M') <= 2 && format.count(u'd') <= 2 ? order
                                                                                     : QString();
}

// The year with those last digits from 79 years before today's to 20 after
// it: a window that slides with the clock, where a fixed pivot would turn
// "1/1/30" into 1930 once 2030 has come.
int fullYear(int twoDigitYear, const QDate &today)
{
    const int latest = today.year() + 20;
    const int year = latest - latest % 100 + twoDigitYear;
    return year > latest ? year - 100 : year;
}

std::optional<QDate> fromNumericParts(const QString &text, const QString &order, const QDate &today)
{
    static const QRegularExpression shape(QStringLiteral(R"(^(\d{1,4})\D(\d{1,4})\D(\d{1,4})$)"));
    const auto match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString part = match.captured(i + 1);
        const int value = part.toInt();
        switch (order[i].unicode()) {
        case 'd':
            if (part.size() > 2)
                return std::nullopt;
            day = value;
            break;
        case 'M':
            if (part.size() > 2)
                return std::nullopt;
            month = value;
            break;
        default:
            if (part.size() == 2)
                year = fullYear(value, today);
            else if (part.size() == 4)
                year = value;
            else
                return std::nullopt;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

namespace DateText {

QString shortFormat(const QLocale &locale)
{
    if (usesCFormat(locale))
        return QStringLiteral("M/d/yyyy");
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    return format;
}

QString toShort(const QDate &date, const QLocale &locale)
{
    if (!date.isValid())
        return {};
    return locale.toString(date, shortFormat(locale));
}

std::optional<QDate> fromShort(const QString &text, const QDate &today, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QString format = shortFormat(locale);
    const QString order = fieldOrder(format);
    if (!order.isEmpty())
        return fromNumericParts(trimmed, order, today);
    const QDate date = locale.toDate(trimmed, format);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString toStored(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDate fromStored(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

} // namespace DateText
