#include "TableDump.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

static_assert(std::endian::native == std::endian::little, "Jet stores numbers little-endian");

// libmdb cuts longer text and memo values at this size without a word.
constexpr std::size_t bindSize = 16 << 20;

// The flags in a row's offset: a deleted row has both; a row moved away by
// an update leaves a 4-byte pointer with the second, and the moved row
// carries the first, so that a scan reaches it only through the pointer, in
// the place the row had.
constexpr int targetFlag = 0x8000;
constexpr int pointerFlag = 0x4000;
constexpr int offsetMask = 0x1fff;

struct Dump {
    MdbHandle *mdb;
    MdbTableDef *table;
    std::FILE *out;
    guint32 filePages; // a page past these is not in the file
    std::vector<std::unique_ptr<char[]>> bound; // empty for the fixed-width types
    std::vector<int> lengths;
    std::set<guint32> pagesSeen;
    long rows = 0;
};

MdbColumn *column(const MdbTableDef *table, unsigned index)
{
    return static_cast<MdbColumn *>(g_ptr_array_index(table->columns, index));
}

bool fromBytes(int type)
{
    return type == MDB_BOOL || type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT ||
           type == MDB_MONEY || type == MDB_FLOAT || type == MDB_DOUBLE || type == MDB_DATETIME;
}

bool isText(int type)
{
    return type == MDB_TEXT || type == MDB_MEMO;
}

void appendEscaped(std::string &line, const char *text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        switch (text[i]) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\0': line += "\\0"; break;
        default: line += text[i];
        }
    }
}

// Bytes that are not text (an OLE object, a binary value) go out as hex
// digits, so that whatever they hold, each row stays one line.
void appendHex(std::string &line, const char *bytes, std::size_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        line += digits[byte >> 4];
        line += digits[byte & 0xf];
    }
}

bool isJet3(const MdbHandle *mdb)
{
    return mdb->f->jet_version == MDB_VER_JET3;
}

unsigned rowWord(const unsigned char *row, std::size_t at, bool jet3)
{
    return jet3 ? row[at] : unsigned(row[at] | row[at + 1] << 8);
}

// The offsets of a row's variable-length values, and of their end, from its
// offset table, read as libmdb reads it; false when the table does not lie
// within the row.
bool readVarOffsets(const unsigned char *row, std::size_t size, std::size_t mask, unsigned count,
                    bool jet3, std::vector<unsigned> *offsets)
{
    const std::size_t end = size - 1;
    if (!jet3) {
        if (end < mask + 3 + 2 * std::size_t(count) + 2)
            return false;
        for (unsigned i = 0; i <= count; ++i)
            offsets->push_back(rowWord(row, end - mask - 3 - 2 * i, false));
        return true;
    }
    // Jet 3 keeps one byte of each offset, and a jump table that says where
    // the offsets pass each 256-byte boundary.
    std::size_t jumps = (size - 1) / 256;
    if (end < mask + jumps + 1 + count)
        return false;
    const std::size_t columnsAt = end - mask - jumps - 1;
    if (jumps > 0 && (columnsAt - count) / 256 < jumps)
        --jumps;
    std::size_t used = 0;
    for (unsigned i = 0; i <= count; ++i) {
        if (used < jumps && i == row[end - mask - used - 1])
            ++used;
        offsets->push_back(row[columnsAt - i] + unsigned(used * 256));
    }
    return true;
}

// libmdb takes a row's own account of its layout on trust, and a damaged row
// could send it reading far outside the page. The account is checked first:
// the column count and its null mask, the variable-length values' offsets,
// and each fixed-width value the row holds, all within the row.
bool layoutFits(const Dump &d, int start, std::size_t size)
{
    const bool jet3 = isJet3(d.mdb);
    const std::size_t countSize = jet3 ? 1 : 2;
    if (start < 0 || size < countSize + 1 || std::size_t(start) + size > std::size_t(d.mdb->fmt->pg_size))
        return false;
    const unsigned char *row = d.mdb->pg_buf + start;
    const unsigned columns = rowWord(row, 0, jet3);
    const std::size_t mask = (columns + 7) / 8;
    if (countSize + mask + countSize > size)
        return false;
    const unsigned varCount = rowWord(row, size - 1 - mask - (jet3 ? 0 : 1), jet3);
    if (varCount > columns)
        return false;
    std::vector<unsigned> offsets;
    if (d.table->num_var_cols > 0 && !readVarOffsets(row, size, mask, varCount, jet3, &offsets))
        return false;
    for (std::size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i - 1] > offsets[i] || offsets[i] > size)
            return false;
    unsigned fixedFound = 0;
    for (unsigned i = 0; i < d.table->num_cols; ++i) {
        const MdbColumn *col = column(d.table, i);
        if (!mdb_is_fixed_col(const_cast<MdbColumn *>(col)) || fixedFound++ >= columns - varCount)
            continue;
        if (col->fixed_offset < 0 ||
            countSize + std::size_t(col->fixed_offset) + std::size_t(col->col_size) > size)
            return false;
    }
    return true;
}

template <class T> void appendNumber(std::string &line, const void *bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    char text[40];
    line.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

bool appendFixed(std::string &line, int type, const MdbField &field)
{
    const int sizes[] = {0, 0, 1, 2, 4, 8, 4, 8, 8};
    if (type == MDB_BOOL) {
        line += field.is_null ? '0' : '1'; // the null bit is the flag itself
        return true;
    }
    if (field.is_null) {
        line += "\\N";
        return true;
    }
    if (field.siz != sizes[type])
        return false;
    switch (type) {
    case MDB_BYTE: appendNumber<std::uint8_t>(line, field.value); break;
    case MDB_INT: appendNumber<std::int16_t>(line, field.value); break;
    case MDB_LONGINT: appendNumber<std::int32_t>(line, field.value); break;
    case MDB_MONEY: appendNumber<std::int64_t>(line, field.value); break;
    case MDB_FLOAT: appendNumber<float>(line, field.value); break;
    default: appendNumber<double>(line, field.value);
    }
    return true;
}

guint32 read32(const void *bytes)
{
    guint32 value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A memo too long for its row lies on pages of its own, each naming the next.
// libmdb follows such a chain until the memo's length is reached, which a
// damaged chain that runs in a circle through empty pieces never does: each
// chain is walked first.
bool memoChainsEnd(Dump &d, const std::vector<MdbField> &fields)
{
    for (unsigned i = 0; i < d.table->num_cols; ++i) {
        if (column(d.table, i)->col_type != MDB_MEMO || fields[i].is_null ||
            fields[i].siz < MDB_MEMO_OVERHEAD)
            continue;
        const auto *head = static_cast<const unsigned char *>(fields[i].value);
        if (read32(head) & 0xc0000000) // held in the row, or on a single page
            continue;
        std::set<guint32> seen;
        for (guint32 next = read32(head + 4); next != 0;) {
            void *page = nullptr;
            int start = 0;
            std::size_t size = 0;
            if ((next >> 8) >= d.filePages || !seen.insert(next).second ||
                mdb_find_pg_row(d.mdb, int(next), &page, &start, &size) != 0 || start < 0 ||
                size < 4 || std::size_t(start) + size > std::size_t(d.mdb->fmt->pg_size)) {
                std::fprintf(stderr, "A value of %s runs on pages that are damaged.\n",
                             column(d.table, i)->name);
                return false;
            }
            next = read32(static_cast<const unsigned char *>(page) + start);
        }
    }
    return true;
}

// Writes the row at that index of the page in the page buffer.
bool dumpRow(Dump &d, int row)
{
    const unsigned count = d.table->num_cols;
    int start = 0;
    std::size_t size = 0;
    if (mdb_find_row(d.mdb, row, &start, &size) != 0 || !layoutFits(d, start & offsetMask, size)) {
        std::fprintf(stderr, "A row on page %u is damaged.\n", d.mdb->cur_pg);
        return false;
    }
    // A row written before a column was added or deleted stores fewer or
    // more columns than the table now has; libmdb places each stored value
    // by its column's number, and a column the row lacks is NULL.
    std::vector<MdbField> fields(count);
    if (mdb_crack_row(d.table, start & offsetMask, size, fields.data()) < 0) {
        std::fprintf(stderr, "A row on page %u cannot be taken apart.\n", d.mdb->cur_pg);
        return false;
    }
    if (!memoChainsEnd(d, fields))
        return false;
    if (!mdb_read_row(d.table, row)) {
        std::fprintf(stderr, "A row on page %u cannot be read.\n", d.mdb->cur_pg);
        return false;
    }
    std::vector<const MdbField *> byColumn(count);
    for (const MdbField &field : fields)
        byColumn.at(field.colnum) = &field;
    std::string line = "row";
    for (unsigned i = 0; i < count; ++i) {
        line += '\t';
        const int type = column(d.table, i)->col_type;
        if (fromBytes(type)) {
            if (!appendFixed(line, type, *byColumn[i])) {
                std::fprintf(stderr, "A value of %s has the wrong size.\n", column(d.table, i)->name);
                return false;
            }
        } else if (byColumn[i]->is_null) {
            line += "\\N";
        } else if (std::size_t(d.lengths[i]) >= bindSize - 1) {
            std::fprintf(stderr, "A value of %s is longer than %zu bytes.\n",
                         column(d.table, i)->name, bindSize - 1);
            return false;
        } else if (isText(type)) {
            appendEscaped(line, d.bound[i].get(), std::size_t(d.lengths[i]));
        } else {
            appendHex(line, d.bound[i].get(), std::size_t(d.lengths[i]));
        }
    }
    line += '\n';
    ++d.rows;
    return std::fwrite(line.data(), 1, line.size(), d.out) == line.size();
}

bool onDataPageOfTable(const Dump &d)
{
    return d.mdb->pg_buf[0] == MDB_PAGE_DATA &&
           guint32(mdb_get_int32(d.mdb->pg_buf, 4)) == d.table->entry->table_pg;
}

// Writes the moved row that the pointer at offset leads to, then reads the
// page back.
bool followPointer(Dump &d, guint32 page, int offset, std::size_t size)
{
    const guint32 target = size == 4 ? guint32(mdb_get_int32(d.mdb->pg_buf, offset)) : 0;
    const bool found = target != 0 && mdb_read_pg(d.mdb, target >> 8) && onDataPageOfTable(d);
    if (!found)
        std::fprintf(stderr, "A moved row on page %u points nowhere.\n", page);
    const bool dumped = found && dumpRow(d, int(target & 0xff));
    return mdb_read_pg(d.mdb, page) && dumped;
}

// A damaged map may lead past the file's end, or back to a page already
// read, which would have the reader go round for ever.
bool newPage(Dump &d, guint32 page)
{
    if (page >= d.filePages || !d.pagesSeen.insert(page).second) {
        std::fprintf(stderr, "The table's pages lead %s; the file is damaged.\n",
                     page >= d.filePages ? "past the end of the file" : "round in a circle");
        return false;
    }
    return true;
}

bool dumpRows(Dump &d)
{
    if (!pageMapFits(d.mdb, d.table)) {
        std::fputs("The table's map of its pages is damaged.\n", stderr);
        return false;
    }
    mdb_rewind_table(d.table);
    while (mdb_read_next_dpg(d.table)) {
        const guint32 page = d.table->cur_phys_pg;
        if (!newPage(d, page))
            return false;
        const int count = mdb_get_int16(d.mdb->pg_buf, d.mdb->fmt->row_count_offset);
        if (count < 0 || d.mdb->fmt->row_count_offset + 2 + 2 * count > d.mdb->fmt->pg_size) {
            std::fprintf(stderr, "Page %u lists more rows than it can hold.\n", page);
            return false;
        }
        for (int row = 0; row < count; ++row) {
            int start = 0;
            std::size_t size = 0;
            if (mdb_find_row(d.mdb, row, &start, &size) != 0) {
                std::fprintf(stderr, "Page %u lists a row that is not there.\n", page);
                return false;
            }
            if (start & targetFlag)
                continue;
            const bool dumped = start & pointerFlag
                                    ? followPointer(d, page, start & offsetMask, size)
                                    : dumpRow(d, row);
            if (!dumped)
                return false;
        }
    }
    return true;
}

// The last AutoNumber handed out sits in the table's definition page, where
// libmdb does not look.
long lastAutoNumber(MdbHandle *mdb, const MdbTableDef *table)
{
    if (!mdb_read_pg(mdb, table->entry->table_pg))
        return 0;
    return mdb_get_int32(mdb->pg_buf, mdb->f->jet_version == MDB_VER_JET3 ? 16 : 20);
}

void writeHeader(const Dump &d)
{
    std::string lines = "table\t";
    appendEscaped(lines, d.table->name, std::strlen(d.table->name));
    lines += '\t' + std::to_string(d.table->num_rows) + '\t' +
             std::to_string(lastAutoNumber(d.mdb, d.table)) + '\n';
    for (unsigned i = 0; i < d.table->num_cols; ++i) {
        const MdbColumn *col = column(d.table, i);
        lines += "column\t";
        appendEscaped(lines, col->name, std::strlen(col->name));
        lines += '\t' + std::to_string(col->col_type) + '\n';
    }
    std::fputs(lines.c_str(), d.out);
}

} // namespace

bool pageMapFits(const MdbHandle *mdb, const MdbTableDef *table)
{
    return table->usage_map && table->map_sz >= 5 &&
           table->map_sz <= std::size_t(mdb->fmt->pg_size) && table->usage_map[0] <= 1;
}

bool dumpTable(MdbHandle *mdb, MdbTableDef *table, std::FILE *out, long long fileSize)
{
    Dump d{mdb, table, out, guint32(fileSize / mdb->fmt->pg_size), {}, std::vector<int>(table->num_cols), {}};
    mdb_set_bind_size(mdb, bindSize);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        // Left uninitialised: only the pages a value reaches are ever touched.
        d.bound.emplace_back(fromBytes(column(table, i)->col_type) ? nullptr : new char[bindSize]);
        if (d.bound.back())
            mdb_bind_column(table, int(i) + 1, d.bound.back().get(), &d.lengths[i]);
    }
    writeHeader(d);
    if (!dumpRows(d))
        return false;
    std::fprintf(out, "end\t%ld\n", d.rows);
    return true;
}
