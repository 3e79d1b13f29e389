#include "SystemInformation.h"

namespace SystemInformation {

QStringList candidates()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

} // namespace SystemInformation
