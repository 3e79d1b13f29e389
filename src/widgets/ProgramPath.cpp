#include "ProgramPath.h"

#include <QStandardPaths>

QString firstProgramOnPath(const QStringList &programs)
{
    for (const QString &name : programs)
        if (const QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    return {};
}
