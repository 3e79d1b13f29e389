#pragma once

#include <QString>
#include <optional>

// The running balance. Its only live copy is the text of the balance box:
// every step reads the number back from that text and writes a new one.
namespace Balance {

// The number in the whole content of balance.kvd, its line break and blanks
// around it aside: a plain number with a point, or one the locale's number
// reader takes (a file written under another locale). Anything else is no number.
std::optional<double> fromFile(const QString &content);

// The balance text after a step: the amount text read by the leading-number
// rule, added to the balance (a negative sign subtracts it), rounded to 15
// significant digits and shown with two decimals.
QString afterStep(const QString &balanceText, const QString &amountText, int sign);

// What balance.kvd holds for the balance text: its shortest decimal form.
QString fileText(const QString &balanceText);

} // namespace Balance
