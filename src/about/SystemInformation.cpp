#include "SystemInformation.h"

#include <QStandardPaths>

namespace SystemInformation {

QStringList candidates()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

QString find()
{
    for (const QString &name : candidates())
        if (const QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    return {};
}

} // namespace SystemInformation
