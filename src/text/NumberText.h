#pragma once

#include <QString>
#include <optional>

// Money and the balance are doubles read from and written to plain text.
// Every reading and writing of an amount in the program goes through here,
// so that a box, a file and the balance never count the same text differently.
namespace NumberText {

// The leading number of a text: blanks, tabs, line feeds and every other
// Unicode blank but the carriage return are ignored wherever they stand, a sign may lead, a point is the only decimal separator,
// an exponent may follow with E or D. Reading stops at the first character
// that cannot continue the number; no number at all reads as 0.
double read(const QString &text);

// The whole text, blanks around it allowed, as one number by the same rule;
// nothing when anything else stands in it ("1,250.00" and "$5" are not numbers).
// Whenever it gives a number, read() gives the same.
std::optional<double> readPlain(const QString &text);

// An amount the books can hold to the cent: finite, at most two decimals,
// and within a trillion either way.
bool isMoney(double value);
// The rule of isMoney, as a message tells it.
QString moneyRule();

// Rounded to 15 significant digits, as a decimal text of that length reads back.
double round15(double value);

// The shortest decimal text of at most 15 significant digits:
// 1250.5, 100, -20.25, 8.33333333333333.
QString shortest(double value);

// The "0.00" format: at least one digit before the point, exactly two after,
// halves rounded away from zero, no group separator.
QString twoDecimals(double value);

} // namespace NumberText
