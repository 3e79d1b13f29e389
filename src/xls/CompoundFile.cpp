#include "CompoundFile.h"

#include "LittleEndian.h"

#include <algorithm>

using LittleEndian::append16;
using LittleEndian::append32;
using LittleEndian::append64;

namespace {

constexpr quint32 sectorSize = 512;
constexpr quint32 idsPerSector = sectorSize / 4;
constexpr quint32 headerDifatIds = 109;
constexpr quint32 miniStreamCutoff = 4096;

// Sector ids with a meaning of their own in the FAT and the DIFAT.
constexpr quint32 difatSectorId = 0xFFFFFFFC;
constexpr quint32 fatSectorId = 0xFFFFFFFD;
constexpr quint32 endOfChain = 0xFFFFFFFE;
constexpr quint32 freeSectorId = 0xFFFFFFFF;
constexpr quint32 noEntry = 0xFFFFFFFF;

constexpr quint8 unusedEntry = 0;
constexpr quint8 streamEntry = 2;
constexpr quint8 rootEntry = 5;

// Sectors in file order: the stream, one directory sector, the FAT, the DIFAT
// sectors that list the FAT sectors the header has no room for.
struct Layout
{
    quint32 streamSectors = 0;
    quint32 fatSectors = 0;
    quint32 difatSectors = 0;

    quint32 directory() const { return streamSectors; }
    quint32 firstFat() const { return directory() + 1; }
    quint32 firstDifat() const { return firstFat() + fatSectors; }
    quint32 total() const { return firstDifat() + difatSectors; }
};

quint32 sectorsFor(quint32 bytes, quint32 perSector)
{
    return (bytes + perSector - 1) / perSector;
}

// The FAT maps its own sectors and the DIFAT's as well, so each FAT sector
// added may call for another.
Layout layoutFor(quint32 streamSize)
{
    Layout layout;
    layout.streamSectors = sectorsFor(streamSize, sectorSize);
    while (layout.fatSectors * idsPerSector < layout.total()) {
        ++layout.fatSectors;
        // The last id of a DIFAT sector chains to the next one.
        layout.difatSectors =
            sectorsFor(std::max(layout.fatSectors, headerDifatIds) - headerDifatIds, idsPerSector - 1);
    }
    return layout;
}

QByteArray headerOf(const Layout &layout)
{
    QByteArray out("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    out.append(16, '\0'); // class id
    append16(out, 0x003E); // minor version
    append16(out, 0x0003); // major version: 512-byte sectors
    append16(out, 0xFFFE); // byte order mark
    append16(out, 9);      // sector size 2^9
    append16(out, 6);      // mini sector size 2^6
    out.append(6, '\0');
    append32(out, 0); // directory sectors, always 0 in version 3
    append32(out, layout.fatSectors);
    append32(out, layout.directory());
    append32(out, 0); // transactions are not supported
    append32(out, miniStreamCutoff);
    append32(out, endOfChain); // no mini FAT
    append32(out, 0);
    append32(out, layout.difatSectors ? layout.firstDifat() : endOfChain);
    append32(out, layout.difatSectors);
    for (quint32 i = 0; i < headerDifatIds; ++i)
        append32(out, i < layout.fatSectors ? layout.firstFat() + i : freeSectorId);
    return out;
}

void appendEntry(QByteArray &out, const QString &name, quint8 type, quint32 child,
                 quint32 start, quint64 size)
{
    const qsizetype begin = out.size();
    for (const QChar c : name)
        append16(out, c.unicode());
    out.append(64 - (out.size() - begin), '\0');
    append16(out, name.isEmpty() ? 0 : (name.size() + 1) * 2); // with the terminating zero
    out.append(char(type));
    out.append(char(type == unusedEntry ? 0 : 1)); // a lone node is black in the red-black tree
    append32(out, noEntry); // left sibling
    append32(out, noEntry); // right sibling
    append32(out, child);
    out.append(36, '\0'); // class id, state bits, creation and modification times
    append32(out, start);
    append64(out, size);
}

// The root storage, whose only child is the stream, and two unused entries to
// fill the sector.
QByteArray directory(const QString &name, quint32 streamSize)
{
    QByteArray out;
    appendEntry(out, QStringLiteral("Root Entry"), rootEntry, 1, endOfChain, 0);
    appendEntry(out, name, streamEntry, noEntry, 0, streamSize);
    while (out.size() < sectorSize)
        appendEntry(out, QString(), unusedEntry, noEntry, 0, 0);
    return out;
}

QByteArray fat(const Layout &layout)
{
    QByteArray out;
    out.reserve(layout.fatSectors * sectorSize);
    for (quint32 sector = 1; sector < layout.streamSectors; ++sector)
        append32(out, sector);
    append32(out, endOfChain); // the stream's last sector
    append32(out, endOfChain); // the directory's only sector
    for (quint32 i = 0; i < layout.fatSectors; ++i)
        append32(out, fatSectorId);
    for (quint32 i = 0; i < layout.difatSectors; ++i)
        append32(out, difatSectorId);
    for (quint32 i = layout.total(); i < layout.fatSectors * idsPerSector; ++i)
        append32(out, freeSectorId);
    return out;
}

QByteArray difat(const Layout &layout)
{
    QByteArray out;
    quint32 fatIndex = headerDifatIds;
    for (quint32 sector = 0; sector < layout.difatSectors; ++sector) {
        for (quint32 i = 0; i < idsPerSector - 1; ++i, ++fatIndex)
            append32(out, fatIndex < layout.fatSectors ? layout.firstFat() + fatIndex : freeSectorId);
        const bool last = sector + 1 == layout.difatSectors;
        append32(out, last ? endOfChain : layout.firstDifat() + sector + 1);
    }
    return out;
}

} // namespace

namespace CompoundFile {

QByteArray header(quint32 streamSize)
{
    return headerOf(layoutFor(std::max(streamSize, miniStreamCutoff)));
}

QByteArray trailer(const QString &name, quint32 streamSize)
{
    const quint32 paddedSize = std::max(streamSize, miniStreamCutoff);
    const Layout layout = layoutFor(paddedSize);
    QByteArray out(layout.streamSectors * sectorSize - streamSize, '\0');
    out += directory(name, paddedSize);
    out += fat(layout);
    out += difat(layout);
    return out;
}

} // namespace CompoundFile
