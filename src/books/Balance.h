#pragma once

#include <QString>
#include <optional>

// The arithmetic of the running balance. A step reads the number back from
// the balance's text and gives the new text (RunningBalance keeps it).
namespace Balance {

// The number in the whole content of balance.kvd, its line break and blanks
// around it aside: a plain number with a point, or one written under a locale
// ("1,250.50", "1250,50"), read the same under every locale. Anything else
// (infinity, NaN, or a file longer than the program ever writes) is no number.
std::optional<double> fromFile(const QString &content);

// The balance text after a step: the amount text read by the leading-number
// rule, added to the balance (a negative sign subtracts it), rounded to 15
// significant digits and shown with two decimals.
QString afterStep(const QString &balanceText, const QString &amountText, int sign);

// What balance.kvd holds for the balance text: its shortest decimal form.
QString fileText(const QString &balanceText);

} // namespace Balance
