#pragma once

#include <QByteArray>
#include <QString>

// An OLE2 compound file (version 3, 512-byte sectors) whose root storage holds
// a single stream, the container Excel 97 expects around its "Workbook" stream.
namespace CompoundFile {

// The bytes of the file. A stream shorter than 4,096 bytes is padded with
// zeros to that length: shorter streams would have to live in the mini stream,
// which this writer does without. name has at most 31 characters.
QByteArray withStream(const QString &name, const QByteArray &stream);

} // namespace CompoundFile
