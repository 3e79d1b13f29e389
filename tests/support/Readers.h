#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the program writes, read back by independent tools.
namespace Readers {

// Info-ZIP's unzip: the entry names in the archive's order, an entry's bytes,
// and the archive comment.
QStringList zipEntries(const QString &archive);
QByteArray zipEntry(const QString &archive, const QString &entry);
QString zipComment(const QString &archive);

// Poppler's pdftotext, the layout kept.
QByteArray pdfText(const QString &pdf);

// Debian's xlrd (for /usr/bin/python3, which need not be the python3 on the
// PATH) runs the Python script with the arguments; its standard output, or a
// test failure naming what it wrote on standard error.
QByteArray python(const char *script, const QStringList &arguments);
QByteArray pythonFile(const QString &script, const QStringList &arguments);

} // namespace Readers
