#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// Dates as the user sees and types them (the short date form) and as the
// databases store them (ISO yyyy-MM-dd text, which sorts and compares in order).
namespace DateText {

// The locale's short date format with the year widened to four digits;
// M/d/yyyy under the C locale, since the program's own dates are month/day/year.
QString shortFormat(const QLocale &locale = QLocale());

QString toShort(const QDate &date, const QLocale &locale = QLocale());

// Reads the short date form with a two- or four-digit year. A two-digit year
// is the year with those last digits from 79 years before today's to 20
// years after it: in 2026, 46 is 2046 and 47 is 1947. The empty text and days
// that do not exist (2/30/2004) are not dates.
std::optional<QDate> fromShort(const QString &text, const QDate &today,
                               const QLocale &locale = QLocale());

QString toStored(const QDate &date);
QDate fromStored(const QString &text);

} // namespace DateText
