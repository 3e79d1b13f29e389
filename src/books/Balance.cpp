#include "Balance.h"

#include "NumberText.h"

#include <QLocale>
#include <cmath>

namespace Balance {

std::optional<double> fromFile(const QString &content)
{
    // The program never writes more than a text box holds (32,767 characters)
    // and CR LF; reading megabytes with the locale's reader takes many seconds.
    constexpr qsizetype longestFile = 32767 + 2;
    if (content.size() > longestFile)
        return std::nullopt;
    if (const auto number = NumberText::readPlain(content))
        return number;
    // The older program wrote the balance with the separators of its
    // machine's locale. Both kinds are read, whatever the locale here, so that
    // a file means the same on every machine: a point before the cents with
    // commas between thousands, else a comma before the cents. Its "0.00"
    // has two digits after the comma, three between groups, so the two never
    // meet.
    for (const QLocale &writtenIn : {QLocale(QLocale::English, QLocale::UnitedStates),
                                     QLocale(QLocale::German, QLocale::Germany)}) {
        bool ok = false;
        const double number = writtenIn.toDouble(content.trimmed(), &ok);
        if (ok && std::isfinite(number))
            return number;
    }
    return std::nullopt;
}

QString afterStep(const QString &balanceText, const QString &amountText, int sign)
{
    const double amount = NumberText::read(amountText);
    const double balance = NumberText::read(balanceText);
    const double result = sign > 0 ? balance + amount : balance - amount;
    return NumberText::twoDecimals(NumberText::round15(result));
}

QString fileText(const QString &balanceText)
{
    return NumberText::shortest(NumberText::read(balanceText));
}

} // namespace Balance
