#pragma once

#include "Recordset.h"

#include <QStringList>

// The Name of every row the recordset shows, first to last; the recordset
// is then past its last row.
inline QStringList recordNames(Recordset &records)
{
    QStringList names;
    for (records.moveFirst(); !records.isEOF(); records.moveNext())
        names << records.field(QStringLiteral("Name")).toString();
    return names;
}
