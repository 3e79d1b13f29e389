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
// they need, and notes where each bucket begins.
class TableWriter
{
public:
    TableWriter(qsizetype streamOffset, qsizetype bucketSize)
        : m_streamOffset(streamOffset), m_bucketSize(bucketSize)
    {
    }

    void appendHead(quint32 references, quint32 unique)
    {
        append32(m_data, references);
        append32(m_data, unique);
    }

    void appendString(qsizetype index, const QString &text)
    {
        const bool wide = !Biff::fitsEightBits(text);
        const qsizetype charSize = wide ? 2 : 1;
        // The header never stands alone at the end of a record.
        if (room() < stringHeaderSize + charSize)
            flush();
        if (index % m_bucketSize == 0)
            m_buckets.append({quint32(m_streamOffset + m_records.size() + 4 + m_data.size()),
                              quint16(4 + m_data.size())});
        append16(m_data, text.size());
        m_data.append(Biff::formFlags(wide));
        QStringView rest(text);
        for (;;) {
            const qsizetype count = std::min(rest.size(), room() / charSize);
            Biff::appendCharacters(m_data, rest.first(count), wide);
            rest = rest.sliced(count);
            if (rest.isEmpty())
                return;
            // The rest of the characters goes on in the next record, which
            // opens with the option flags again.
            flush();
            m_data.append(Biff::formFlags(wide));
        }
    }

    QByteArray finish()
    {
        flush();
        QByteArray extSst;
        append16(extSst, m_bucketSize);
        for (const Bucket &bucket : m_buckets) {
            append32(extSst, bucket.streamPosition);
            append16(extSst, bucket.recordPosition);
            append16(extSst, 0);
        }
        Biff::appendRecord(m_records, extSstRecord, extSst);
        return m_records;
    }

private:
    qsizetype room() const { return Biff::maxRecordData - m_data.size(); }

    // Closes the record being filled; the next one is a CONTINUE record.
    void flush()
    {
        Biff::appendRecord(m_records, m_records.isEmpty() ? sstRecord : continueRecord, m_data);
        m_data.clear();
    }

    qsizetype m_streamOffset;
    qsizetype m_bucketSize;
    QByteArray m_records;
    QByteArray m_data;
    QList<Bucket> m_buckets;
};

} // namespace

quint32 SharedStrings::indexOf(const QString &text)
{
    ++m_references;
    const auto found = m_indexes.constFind(text);
    if (found != m_indexes.constEnd())
        return *found;
    m_strings.append(text);
    return *m_indexes.insert(text, m_strings.size() - 1);
}

QByteArray SharedStrings::records(qsizetype streamOffset) const
{
    const qsizetype bucketSize =
        std::max(minBucketSize, (m_strings.size() + maxBuckets - 1) / maxBuckets);
    TableWriter writer(streamOffset, bucketSize);
    writer.appendHead(m_references, m_strings.size());
    for (qsizetype i = 0; i < m_strings.size(); ++i)
        writer.appendString(i, m_strings.at(i));
    return writer.finish();
}
