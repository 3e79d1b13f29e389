#pragma once

#include <QByteArray>
#include <QString>

// An OLE2 compound file (version 3, 512-byte sectors) whose root storage holds
// a single stream, the container Excel 97 expects around its "Workbook" stream.
// The file is the header, the stream and the trailer, one after the other, so
// that the stream, however long, is written out as it stands.
namespace CompoundFile {

QByteArray header(quint32 streamSize);

// The stream's padding, then the directory and the sector tables. A stream
// shorter than 4,096 bytes is padded with zeros to that length: shorter streams
// would have to live in the mini stream, which this writer does without. name
// has at most 31 characters.
QByteArray trailer(const QString &name, quint32 streamSize);

} // namespace CompoundFile
