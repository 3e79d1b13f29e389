#pragma once

#include <QStringList>

// The system information programs looked for on the PATH, in order of
// preference; each comes in the Debian package of its own name.
namespace SystemInformation {

QStringList candidates();

} // namespace SystemInformation
