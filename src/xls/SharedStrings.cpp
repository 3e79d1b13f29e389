#include "SharedStrings.h"

#include "Biff.h"
#include "LittleEndian.h"

#include <algorithm>
#include <utility>

using LittleEndian::append16;
using LittleEndian::append32;

namespace {

constexpr quint16 sstRecord = 0x00FC;
constexpr quint16 continueRecord = 0x003C;
constexpr quint16 extSstRecord = 0x00FF;

constexpr qsizetype recordHeaderSize = 4;
constexpr qsizetype stringHeaderSize = 3; // character count and option flags
constexpr qsizetype maxBuckets = 128;
constexpr qsizetype minBucketSize = 8;
constexpr qsizetype minSlots = 64;

// A taken slot of the string table: the text's hash in the upper half, so
// that the table can grow without hashing again and the search passes over
// most other texts without comparing characters, and its index + 1 below.
quint64 slotEntry(quint32 hash, qsizetype index)
{
    return quint64(hash) << 32 | quint64(index + 1);
}

quint32 hashOf(quint64 entry)
{
    return quint32(entry >> 32);
}

// Where the first string of a bucket starts: its stream position and its
// position within its record, record header included. Excel jumps there
// instead of reading the table from the beginning.
struct Bucket
{
    quint32 streamPosition;
    quint16 recordPosition;
};

// Lays the strings out over the SST record and as many CONTINUE records as
// they need, straight into the stream, and notes where each bucket begins.
class TableWriter
{
public:
    TableWriter(QByteArray &out, qsizetype streamStart, qsizetype bucketSize)
        : m_out(out), m_streamStart(streamStart), m_bucketSize(bucketSize)
    {
        open(sstRecord);
    }

    void appendHead(quint32 references, quint32 unique)
    {
        append32(m_out, references);
        append32(m_out, unique);
    }

    void appendString(qsizetype index, QStringView text)
    {
        const bool wide = !Biff::fitsEightBits(text);
        const qsizetype charSize = wide ? 2 : 1;
        // The header never stands alone at the end of a record.
        if (room() < stringHeaderSize + charSize)
            next();
        if (index % m_bucketSize == 0)
            m_buckets.append({quint32(m_out.size() - m_streamStart),
                              quint16(m_out.size() - m_recordStart)});
        append16(m_out, text.size());
        m_out.append(Biff::formFlags(wide));
        QStringView rest(text);
        for (;;) {
            const qsizetype count = std::min(rest.size(), room() / charSize);
            Biff::appendCharacters(m_out, rest.first(count), wide);
            rest = rest.sliced(count);
            if (rest.isEmpty())
                return;
            // The rest of the characters goes on in the next record, which
            // opens with the option flags again.
            next();
            m_out.append(Biff::formFlags(wide));
        }
    }

    void finish()
    {
        close();
        QByteArray extSst;
        append16(extSst, m_bucketSize);
        for (const Bucket &bucket : m_buckets) {
            append32(extSst, bucket.streamPosition);
            append16(extSst, bucket.recordPosition);
            append16(extSst, 0);
        }
        Biff::appendRecord(m_out, extSstRecord, extSst);
    }

private:
    qsizetype dataSize() const { return m_out.size() - m_recordStart - recordHeaderSize; }
    qsizetype room() const { return Biff::maxRecordData - dataSize(); }

    // The header's size is set once the record is full.
    void open(quint16 type)
    {
        m_recordStart = m_out.size();
        Biff::appendHeader(m_out, type, 0);
    }

    void close() { LittleEndian::set16(m_out, m_recordStart + 2, dataSize()); }

    void next()
    {
        close();
        open(continueRecord);
    }

    QByteArray &m_out;
    qsizetype m_streamStart;
    qsizetype m_bucketSize;
    qsizetype m_recordStart = 0;
    QList<Bucket> m_buckets;
};

} // namespace

QStringView SharedStrings::text(qsizetype index) const
{
    const qsizetype begin = index == 0 ? 0 : m_ends.at(index - 1);
    return QStringView(m_characters).sliced(begin, m_ends.at(index) - begin);
}

quint32 SharedStrings::indexOf(QStringView text)
{
    ++m_references;
    // No more than three slots in four are ever taken. The table grows from small
    // rather than with room made in advance: while it is small it stays in
    // the processor's caches, which more than pays for moving it.
    if (4 * (m_ends.size() + 1) > 3 * m_slots.size())
        grow();
    const size_t fullHash = qHash(text);
    const quint32 hash = quint32(fullHash ^ (fullHash >> 32));
    const qsizetype mask = m_slots.size() - 1;
    for (qsizetype slot = hash & mask;; slot = (slot + 1) & mask) {
        quint64 &entry = m_slots[slot];
        if (entry == 0) {
            entry = slotEntry(hash, m_ends.size());
            m_characters.append(text);
            m_ends.append(m_characters.size());
            m_stringBytes += stringHeaderSize + 2 * text.size();
            return quint32(m_ends.size() - 1);
        }
        const qsizetype index = qsizetype(quint32(entry)) - 1;
        if (hashOf(entry) == hash && this->text(index) == text)
            return quint32(index);
    }
}

// Twice the slots, each text placed again by the hash its entry keeps.
void SharedStrings::grow()
{
    const QList<quint64> old =
        std::exchange(m_slots, QList<quint64>(std::max(minSlots, 2 * m_slots.size()), 0));
    const qsizetype mask = m_slots.size() - 1;
    for (const quint64 entry : old) {
        if (entry == 0)
            continue;
        qsizetype slot = hashOf(entry) & mask;
        while (m_slots.at(slot) != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

qsizetype SharedStrings::sizeBound() const
{
    // A record spends at most its header, the room too small for the next
    // string's header and a continued string's flags beyond the strings.
    constexpr qsizetype spentPerRecord = recordHeaderSize + stringHeaderSize + 2 + 1;
    const qsizetype records = m_stringBytes / (Biff::maxRecordData - spentPerRecord) + 1;
    const qsizetype extSst = recordHeaderSize + 2 + maxBuckets * 8;
    return 8 + m_stringBytes + records * spentPerRecord + extSst;
}

void SharedStrings::appendRecords(QByteArray &out, qsizetype streamStart) const
{
    const qsizetype bucketSize =
        std::max(minBucketSize, (m_ends.size() + maxBuckets - 1) / maxBuckets);
    TableWriter writer(out, streamStart, bucketSize);
    writer.appendHead(m_references, m_ends.size());
    for (qsizetype i = 0; i < m_ends.size(); ++i)
        writer.appendString(i, text(i));
    writer.finish();
}
