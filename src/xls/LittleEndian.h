#pragma once

#include <QByteArray>
#include <QtEndian>

// Office binary files store every integer least significant byte first,
// whatever the machine's own byte order.
namespace LittleEndian {

inline void append16(QByteArray &out, quint16 value)
{
    const quint16 stored = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&stored), sizeof stored);
}

inline void append32(QByteArray &out, quint32 value)
{
    const quint32 stored = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&stored), sizeof stored);
}

inline void append64(QByteArray &out, quint64 value)
{
    const quint64 stored = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&stored), sizeof stored);
}

// Overwrites bytes already written, for a value known only later.
inline void set16(QByteArray &out, qsizetype at, quint16 value)
{
    qToLittleEndian(value, out.data() + at);
}

inline void set32(QByteArray &out, qsizetype at, quint32 value)
{
    qToLittleEndian(value, out.data() + at);
}

} // namespace LittleEndian
