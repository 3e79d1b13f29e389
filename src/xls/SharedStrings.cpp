#include "SharedStrings.h"

#include "Biff.h"
#include "LittleEndian.h"

#include <algorithm>

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

    void appendString(qsizetype index, const QString &text)
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

void SharedStrings::reserve(qsizetype count)
{
    m_indexes.reserve(count);
    m_strings.reserve(count);
}

quint32 SharedStrings::indexOf(const QString &text)
{
    ++m_references;
    const qsizetype known = m_indexes.size();
    quint32 &index = m_indexes[text];
    if (m_indexes.size() != known) {
        index = quint32(m_strings.size());
        m_strings.append(text);
        m_stringBytes += stringHeaderSize + 2 * text.size();
    }
    return index;
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
        std::max(minBucketSize, (m_strings.size() + maxBuckets - 1) / maxBuckets);
    TableWriter writer(out, streamStart, bucketSize);
    writer.appendHead(m_references, m_strings.size());
    for (qsizetype i = 0; i < m_strings.size(); ++i)
        writer.appendString(i, m_strings.at(i));
    writer.finish();
}
