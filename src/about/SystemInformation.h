#pragma once

#include <QStringList>

// The system information programs looked for on the PATH, in order of preference.
namespace SystemInformation {

QStringList candidates();

} // namespace SystemInformation
