#pragma once

#include <QString>

// A table's or column's name as a statement names it: in double quotes,
// so that any name is read as a name.
inline QString quotedName(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}
