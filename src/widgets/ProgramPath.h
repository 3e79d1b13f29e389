#pragma once

#include <QString>
#include <QStringList>

// The first of the programs, in order of preference, found on the PATH;
// empty when there is none.
QString firstProgramOnPath(const QStringList &programs);
