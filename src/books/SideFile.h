#pragma once

#include "Disk.h"

#include <QString>
#include <optional>

// The small text files beside the databases: one value followed by CR LF,
// read back whole with the line break, written by replacing the whole file.
namespace SideFile {

// The whole content, final line break included. Bytes that are not valid UTF-8
// are read as Windows-1252, the code page of files from the older program.
std::optional<QString> read(const QString &path, QString *error);

// Writes value + CR LF as UTF-8, whole (Disk::write): a crash leaves either
// the old file or the new one, never half of one.
bool write(const Disk &disk, const QString &path, const QString &value, QString *error);

QString decode(const QByteArray &bytes);

} // namespace SideFile
