#include "MonthlyAmount.h"

#include "NumberText.h"

namespace MonthlyAmount {

std::optional<double> of(const QString &amountPerVisit, const QString &schedule)
{
    const double perVisit = NumberText::read(amountPerVisit);
    // Visits a year for each schedule; the multiplication comes before the
    // division, so that 25 a quarter gives 100 / 12.
    const struct {
        const char *name;
        int visitsPerYear;
    } schedules[] = {{"Monthly", 12}, {"BiMonthly", 6},      {"Quarterly", 4},
                     {"Every 6 Months", 2}, {"Yearly", 1}};
    if (schedule == QLatin1String("OneShot"))
        return 0.0;
    for (const auto &entry : schedules)
        if (schedule == QLatin1String(entry.name))
            return perVisit * entry.visitsPerYear / 12;
    return std::nullopt;
}

} // namespace MonthlyAmount
