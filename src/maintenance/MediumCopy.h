#pragma once

#include "Disk.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The backup's copy to removable media, trusted only once read back: it is
// written under a temporary name, flushed, read back from the medium itself
// and compared with the archive, and only then takes its name. A copy that
// does not match never replaces the day's earlier backup.
namespace MediumCopy {

bool copy(const Disk &disk, const QString &archive, const QString &target, QString *error);

// A test seam: each block read back from the medium passes through it.
void setReadBackFilter(std::function<void(QByteArray *block)> filter);

} // namespace MediumCopy
