#include "TableDump.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
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
    std::vector<std::unique_ptr<char[]>> bound; // empty for the fixed-width types
    std::vector<int> lengths;
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

void appendEscaped(std::string &line, const char *text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        switch (text[i]) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += text[i];
        }
    }
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

// Writes the row at that index of the page in the page buffer.
bool dumpRow(Dump &d, int row)
{
    const unsigned count = d.table->num_cols;
    if (!mdb_read_row(d.table, row)) {
        std::fprintf(stderr, "A row on page %u cannot be read.\n", d.mdb->cur_pg);
        return false;
    }
    int start = 0;
    std::size_t size = 0;
    std::vector<MdbField> fields(count);
    if (mdb_find_row(d.mdb, row, &start, &size) != 0 ||
        mdb_crack_row(d.table, start & offsetMask, size, fields.data()) != int(count)) {
        std::fprintf(stderr, "A row on page %u cannot be taken apart.\n", d.mdb->cur_pg);
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
        } else {
            appendEscaped(line, d.bound[i].get(), std::size_t(d.lengths[i]));
        }
    }
    line += '\n';
    ++d.rows;
    return std::fputs(line.c_str(), d.out) >= 0;
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

bool dumpRows(Dump &d)
{
    mdb_rewind_table(d.table);
    while (mdb_read_next_dpg(d.table)) {
        const guint32 page = d.table->cur_phys_pg;
        const int count = mdb_get_int16(d.mdb->pg_buf, d.mdb->fmt->row_count_offset);
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

bool dumpTable(MdbHandle *mdb, MdbTableDef *table, std::FILE *out)
{
    Dump d{mdb, table, out, {}, std::vector<int>(table->num_cols)};
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
