#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The framing of the records of an Excel 97 (BIFF8) workbook stream and the
// forms its strings take inside them.
namespace Biff {

// Longer record data must go on in CONTINUE records.
constexpr qsizetype maxRecordData = 8224;

void appendHeader(QByteArray &out, quint16 type, qsizetype dataSize);
void appendRecord(QByteArray &out, quint16 type, const QByteArray &data);

// Whether every character fits the 8-bit form, which stores only the low byte
// of each UTF-16 unit; otherwise the text takes the 16-bit form.
bool fitsEightBits(QStringView text);
// The option flags byte that names the form.
char formFlags(bool wide);
void appendCharacters(QByteArray &out, QStringView text, bool wide);

// A string with a one-byte character count (font and sheet names).
QByteArray shortString(const QString &text);
// A string with a two-byte character count (number formats).
QByteArray string(const QString &text);

} // namespace Biff
