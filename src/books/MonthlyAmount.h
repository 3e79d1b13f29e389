#pragma once

#include <QString>
#include <optional>

namespace MonthlyAmount {

// The monthly amount that a schedule makes of the amount per visit, read by
// the leading-number rule. The schedule is matched exactly, letter case
// included; an unlisted schedule ("Weekly", "monthly") has no amount.
std::optional<double> of(const QString &amountPerVisit, const QString &schedule);

} // namespace MonthlyAmount
