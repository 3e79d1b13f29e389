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

// Reads the short date form with a two- or four-digit year. Two-digit years
// 00 to 29 are this century's, 30 to 99 the last. The empty text and days
// that do not exist (2/30/2004) are not dates.
std::optional<QDate> fromShort(const QString &text, const QLocale &locale = QLocale());

QString toStored(const QDate &date);
QDate fromStored(const QString &text);

} // namespace DateText
