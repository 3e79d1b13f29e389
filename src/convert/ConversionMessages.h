#pragma once

#include "AccessConversion.h"

#include <QString>

// What the user reads before and after a conversion of Access databases.
namespace ConversionMessages {

// Which files are in the Access format and what will happen to them.
QString question(const QString &folder, const AccessConversion &conversion);

// Per table the rows converted and the next number, whatever was not
// carried over, and where the originals are, which see no change from now on.
QString report(const AccessConversion &conversion, const QString &originals);

} // namespace ConversionMessages
