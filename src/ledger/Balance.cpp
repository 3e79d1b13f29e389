#include "Balance.h"

#include "NumberText.h"

#include <QLocale>

namespace Balance {

std::optional<double> fromFile(const QString &content)
{
    if (const auto number = NumberText::readPlain(content))
        return number;
    bool ok = false;
    const double number = QLocale().toDouble(content.trimmed(), &ok);
    if (ok)
        return number;
    return std::nullopt;
}

} // namespace Balance
