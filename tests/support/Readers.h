#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the program writes, read back by independent tools.
namespace Readers {

// Info-ZIP's unzip: the entry names in the archive's order, an entry's bytes,
// and the archive comment.
QStringList zipEntries(const QString &archive);
QByteArray zipEntry(const QString &archive, const QString &entry);

// Poppler's pdftotext, the layout kept; pdfinfo's Title.
QByteArray pdfText(const QString &pdf);
QString pdfTitle(const QString &pdf);

// An Excel 97 file as Debian's xlrd reads it (see read_workbook.py), with
// "log" telling what went wrong when the file could not be read at all.
// kind is "book", or "stream" for a compound file holding any one stream.
QVariantMap workbook(const QByteArray &file, const char *kind = "book");

} // namespace Readers
