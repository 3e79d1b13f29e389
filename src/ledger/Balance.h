#pragma once

#include <QString>
#include <optional>

// The running balance as the balance file holds it.
namespace Balance {

// The number in the whole content of balance.kvd, its line break and blanks
// around it aside: a plain number with a point, or one the locale's number
// reader takes (a file written under another locale). Anything else is no number.
std::optional<double> fromFile(const QString &content);

} // namespace Balance
