#pragma once

#include <QString>
#include <QStringList>

// The system information programs looked for on the PATH, in order of preference.
namespace SystemInformation {

QStringList candidates();
QString find();

} // namespace SystemInformation
