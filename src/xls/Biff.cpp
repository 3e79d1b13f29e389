#include "Biff.h"

#include "LittleEndian.h"

#include <algorithm>

namespace {

QByteArray withCount(const QString &text, int countBytes)
{
    const bool wide = !Biff::fitsEightBits(text);
    QByteArray out;
    if (countBytes == 1)
        out.append(char(text.size()));
    else
        LittleEndian::append16(out, text.size());
    out.append(Biff::formFlags(wide));
    Biff::appendCharacters(out, text, wide);
    return out;
}

} // namespace

namespace Biff {

void appendHeader(QByteArray &out, quint16 type, qsizetype dataSize)
{
    LittleEndian::append16(out, type);
    LittleEndian::append16(out, dataSize);
}

void appendRecord(QByteArray &out, quint16 type, const QByteArray &data)
{
    appendHeader(out, type, data.size());
    out += data;
}

bool fitsEightBits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

char formFlags(bool wide)
{
    return wide ? 1 : 0;
}

void appendCharacters(QByteArray &out, QStringView text, bool wide)
{
    const qsizetype at = out.size();
    out.resize(at + text.size() * (wide ? 2 : 1));
    char *next = out.data() + at;
    if (wide) {
        for (const QChar c : text) {
            qToLittleEndian(c.unicode(), next);
            next += 2;
        }
    } else {
        for (const QChar c : text)
            *next++ = char(c.unicode());
    }
}

QByteArray shortString(const QString &text)
{
    return withCount(text, 1);
}

QByteArray string(const QString &text)
{
    return withCount(text, 2);
}

} // namespace Biff
