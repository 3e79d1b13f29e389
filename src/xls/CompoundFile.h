#pragma once

#include <QByteArray>
#include <QString>

// An OLE2 compound file (version 3, 512-byte sectors) whose root storage holds
// a single stream, the container Excel 97 expects around its "Workbook" stream.
// The stream is written in place, after room left for the file's header, and
// the file is finished around it, so that it is never copied.
namespace CompoundFile {

// The room before the stream.
constexpr qsizetype headerSize = 512;

// The size of the file around a stream of streamSize bytes.
qsizetype fileSize(qsizetype streamSize);

// Finishes file, which holds headerSize bytes of room and then the stream: the
// header goes into the room, and the rest of the file after the stream. A
// stream shorter than 4,096 bytes is padded with zeros to that length: shorter
// streams would have to live in the mini stream, which this writer does
// without. name has at most 31 characters.
void finish(QByteArray &file, const QString &name);

} // namespace CompoundFile
