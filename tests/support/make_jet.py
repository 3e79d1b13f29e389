#!/usr/bin/env python3
"""make_jet.py - write small Jet 3 (Access 97) or Jet 4 (Access 2000-2003) .mdb
files from scratch, as test fixtures.  Python 3 standard library only.

Layout follows the mdbtools format notes (HACKING.md, "MDB file format"),
checked against real Jet3/Jet4 files: page 0 database header (RC4-masked
block), page 1 global usage map, page 2 the MSysObjects table definition,
then one TDEF page per user table, usage-map pages, MSysObjects data,
long-value (LVAL) pages, data pages and primary-key leaf pages.

Supported: one or more tables per file; column types Yes/No, Byte, Integer,
Long (incl. AutoNumber and its counter), Currency, Single, Double, Date/Time
(also before 1899-12-30), Text, Memo; NULLs; zero-length strings; Jet4
compressed / mixed / plain UCS-2 text; Jet3 single-byte text (cp1252);
memos inline, on one LVAL page or chained over several; rows over as many
data pages as needed; Jet3 rows over 256 bytes (jump table); deleted row
slots and rows moved to overflow pages (pointer + target, as after an
update); a primary key on one Long column (one leaf page: up to 200 rows
Jet3, 401 rows Jet4).
Not supported: other indexes and multi-level index trees, OLE and Binary
data, Numeric/GUID/attachment types, properties (LvProp: no captions,
formats, defaults, "Required"), queries, relationships and the other MSys*
tables, encryption/passwords, files larger than one inline usage map
covers (512 pages Jet4 = 2 MiB, 1024 pages Jet3).
Only mdbtools and the npm mdb-reader have read these files; Access itself
has not.

Usage:
  make_jet.py OUTDIR [--jet 3|4] [--money currency|double] [--comments memo|text]
writes OUTDIR/Customers.mdb, Income.mdb, Expense.mdb, Stress.mdb and
OUTDIR/expected.json (the rows as they should read back).
"""

import argparse
import datetime as dt
import decimal
import json
import os
import struct

BOOL, BYTE, INT, LONG, MONEY, FLOAT, DOUBLE, DATETIME = 1, 2, 3, 4, 5, 6, 7, 8
BINARY, TEXT, OLE, MEMO = 9, 10, 11, 12
FIXED_SIZE = {BOOL: 0, BYTE: 1, INT: 2, LONG: 4, MONEY: 8, FLOAT: 4, DOUBLE: 8, DATETIME: 8}
LONG_VALUE = (MEMO, OLE)
EPOCH = dt.datetime(1899, 12, 30)
SYS_FLAG = -0x80000000  # MSysObjects.Flags of system objects (0x80000000)
DELETED = "DELETED"     # a rows[] entry: leave a deleted row slot


class Format:
    def __init__(self, jet):
        self.jet = jet
        self.pg = 2048 if jet == 3 else 4096
        self.row_count_off = 8 if jet == 3 else 12    # data page: number of rows
        self.map_bytes = 128 if jet == 3 else 64      # inline usage map bitmap
        self.cols_start = 43 if jet == 3 else 63      # TDEF: first column entry


class Column:
    """deleted: gone from the table's design, still stored by its older rows;
    added: in the design, not stored by the rows marked "_old"."""
    def __init__(self, name, type_, size=None, auto=False, compressed=True,
                 deleted=False, added=False):
        self.name, self.type, self.auto, self.compressed = name, type_, auto, compressed
        self.deleted, self.added = deleted, added
        self.chars = size or (255 if type_ == TEXT else 0)
        self.fixed = type_ in FIXED_SIZE


class Table:
    def __init__(self, name, columns, rows, system=False, last_auto=None, pk=None):
        # Columns keep the numbers they were given when they were made, and
        # the design lists those not deleted since.
        self.physical = columns
        self.columns = [c for c in columns if not c.deleted]
        self.name, self.rows, self.system = name, rows, system
        self.last_auto, self.pk = last_auto, pk     # pk: name of a Long column
        self.live = [r for r in rows if r is not DELETED]
        fixed_pos, var_no = 0, 0
        for num, c in enumerate(columns):
            c.num = num
            if c.fixed:
                c.fixed_off, c.var_no = fixed_pos, 0
                fixed_pos += FIXED_SIZE[c.type]
            else:
                c.fixed_off, c.var_no = 0, var_no
                var_no += 1
        self.fixed_len, self.num_var = fixed_pos, var_no


# ---------------------------------------------------------------- values

def rc4(key, data):
    s, j = list(range(256)), 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 255
        s[i], s[j] = s[j], s[i]
    out, i, j = bytearray(), 0, 0
    for b in data:
        i = (i + 1) & 255
        j = (j + s[i]) & 255
        s[i], s[j] = s[j], s[i]
        out.append(b ^ s[(s[i] + s[j]) & 255])
    return bytes(out)


def encode_text(fmt, s, compress=True):
    """Jet3: the database code page (cp1252).  Jet4: UCS-2LE, or the
    'compressed' form (FF FE, then one byte per character while the high
    byte is 0, a 0x00 byte toggling to two-byte characters and back)."""
    if fmt.jet == 3:
        return s.encode("cp1252")
    raw = s.encode("utf-16-le")
    if not compress or not s or any((ord(c) & 0xFF) == 0 for c in s) \
            or any(ord(c) > 0xFFFF for c in s):
        return raw
    out, narrow = bytearray(b"\xff\xfe"), True
    for c in s:
        want_narrow = ord(c) < 0x100
        if want_narrow != narrow:
            out.append(0)
            narrow = want_narrow
        out += bytes([ord(c)]) if narrow else c.encode("utf-16-le")
    return bytes(out) if len(out) < len(raw) else raw


def jet_date(v):
    """Days since 1899-12-30; before that the whole days are negative and
    the time of day is still a positive fraction subtracted from them."""
    if not isinstance(v, dt.datetime):
        v = dt.datetime(v.year, v.month, v.day)
    midnight = dt.datetime(v.year, v.month, v.day)
    days = (midnight - EPOCH).days
    frac = (v - midnight).total_seconds() / 86400.0
    return days + frac if days >= 0 else days - frac


def encode_fixed(col, v):
    t = col.type
    if t == BYTE:
        return struct.pack("<B", v)
    if t == INT:
        return struct.pack("<h", v)
    if t == LONG:
        return struct.pack("<i", v)
    if t == MONEY:  # 64-bit integer, 1/10000 units
        q = (decimal.Decimal(str(v)) * 10000)
        if q != q.to_integral_value():
            raise ValueError(f"{col.name}: {v} has more than 4 decimals")
        return struct.pack("<q", int(q))
    if t == FLOAT:
        return struct.pack("<f", v)
    if t == DOUBLE:
        return struct.pack("<d", v)
    if t == DATETIME:
        return struct.pack("<d", jet_date(v))
    raise ValueError(f"unsupported fixed type {t}")


# ---------------------------------------------------------------- pages

class Writer:
    def __init__(self, jet, tables, created=dt.datetime(2003, 6, 1, 9, 30), loop=False):
        self.f = Format(jet)
        self.loop = loop         # the first memo over several pages ends in a circle
        self.created = created
        self.tables = tables
        self.pages = {}          # number -> bytearray
        self.next_page = 0
        self.maps = []           # usage map rows: [owned page numbers]
        self.map_ref = {}        # id(map list) -> pg_row

    def alloc(self):
        n = self.next_page
        self.next_page += 1
        self.pages[n] = bytearray(self.f.pg)
        return n

    def new_map(self):
        m = []
        self.maps.append(m)
        return m

    # --- data pages -------------------------------------------------------
    def data_page(self, owner, rows, lval=False, n=None):
        """Fill a data/LVAL page (a new one, or page n reserved earlier):
        header, row offset table, rows stored from the end of the page."""
        f = self.f
        n = self.alloc() if n is None else n
        p = self.pages[n] = bytearray(f.pg)
        p[0:2] = b"\x01\x01"
        p[4:8] = b"LVAL" if lval else struct.pack("<I", owner)
        struct.pack_into("<H", p, f.row_count_off, len(rows))
        end = f.pg
        for i, r in enumerate(rows):
            r, flag = r if isinstance(r, tuple) else (r, 0)
            start = end - len(r)
            p[start:end] = r
            struct.pack_into("<H", p, f.row_count_off + 2 + 2 * i, start | flag)
            end = start
        free = end - (f.row_count_off + 2 + 2 * len(rows))
        assert free >= 0, "page overflow"
        struct.pack_into("<H", p, 2, free)
        return n

    def page_room(self, nrows_already, used_bytes):
        return self.f.pg - (self.f.row_count_off + 2 + 2 * (nrows_already + 1)) - used_bytes

    # --- long values (memo) ----------------------------------------------
    def long_value(self, col_map, data):
        """Return the 12-byte memo/OLE field header (plus inline data)."""
        f = self.f
        if len(data) <= 64:
            return struct.pack("<II", len(data) | 0x80000000, 0) + b"\0" * 4 + data
        single_max = f.pg - (f.row_count_off + 2 + 2)
        if len(data) <= single_max:
            pg = self.data_page(0, [data], lval=True)
            col_map.append(pg)
            return struct.pack("<II", len(data) | 0x40000000, pg << 8) + b"\0" * 4
        chunk = f.pg - (f.row_count_off + 2 + 2) - 4
        pieces = [data[i:i + chunk] for i in range(0, len(data), chunk)]
        if self.loop:   # damaged: an empty piece that names itself as the next
            self.loop = False
            first, last = self.alloc(), self.alloc()
            self.data_page(0, [struct.pack("<I", last << 8) + pieces[0]], lval=True, n=first)
            self.data_page(0, [struct.pack("<I", last << 8)], lval=True, n=last)
            col_map.extend([first, last])
            return struct.pack("<II", len(data), first << 8) + b"\0" * 4
        pgs = [self.alloc() for _ in pieces]   # reserve, so each knows the next
        for i, (pg, piece) in enumerate(zip(pgs, pieces)):
            nxt = (pgs[i + 1] << 8) if i + 1 < len(pgs) else 0
            self.data_page(0, [struct.pack("<I", nxt) + piece], lval=True, n=pg)
            col_map.append(pg)
        return struct.pack("<II", len(data), pgs[0] << 8) + b"\0" * 4

    # --- rows ---------------------------------------------------------------
    def pack_row(self, t, values, lv_maps):
        f = self.f
        stored = [c for c in t.physical if not (c.added and values.get("_old"))]
        ncols = len(stored)
        mask = bytearray((ncols + 7) // 8)
        fixed = bytearray(sum(FIXED_SIZE[c.type] for c in stored if c.fixed))
        var = []
        for c in stored:
            i = c.num
            v = values.get(c.name)
            if c.type == BOOL:
                if v:
                    mask[i // 8] |= 1 << (i % 8)
                continue
            if v is not None:
                mask[i // 8] |= 1 << (i % 8)
            if c.fixed:
                if v is not None:
                    fixed[c.fixed_off:c.fixed_off + FIXED_SIZE[c.type]] = encode_fixed(c, v)
            elif v is None:
                var.append(b"")
            elif c.type == TEXT:
                b = encode_text(f, v, c.compressed)
                if len(b) > (c.chars if f.jet == 3 else 2 * c.chars):
                    raise ValueError(f"{c.name}: text longer than the column")
                var.append(b)
            elif c.type == MEMO:
                var.append(self.long_value(lv_maps[c.name], encode_text(f, v)))
            elif c.type == OLE:
                var.append(self.long_value(lv_maps[c.name], v))
            else:
                raise ValueError(f"unsupported variable type {c.type}")
        head = bytes([ncols]) if f.jet == 3 else struct.pack("<H", ncols)
        row = bytearray(head + fixed)
        if not any(not c.fixed for c in stored):
            return bytes(row + mask)
        offsets = []
        for b in var:
            offsets.append(len(row))
            row += b
        eod = len(row)
        if f.jet == 4:
            row += struct.pack("<H", eod)
            for o in reversed(offsets):
                row += struct.pack("<H", o)
            row += struct.pack("<H", len(offsets)) + mask
            return bytes(row)
        # Jet3: one-byte offsets; a jump table names the first offset past
        # each 256-byte boundary.  Its length follows from the row length.
        allv = offsets + [eod]
        base = eod + len(allv) + 1 + len(mask)
        nj = 0
        while (base + nj - 1) // 256 != nj:
            nj += 1
        jumps = []
        for k in range(eod // 256):
            jumps.append(next(i for i, o in enumerate(allv) if o >= (k + 1) * 256))
        while len(jumps) < nj:
            jumps.append(0xFF)          # dummy entry (at most one)
        assert len(jumps) == nj and nj - eod // 256 <= 1
        tail = bytearray([o & 0xFF for o in reversed(allv)])
        tail += bytes(reversed(jumps)) + bytes([len(offsets)]) + mask
        return bytes(row + tail)

    def write_rows(self, t, tdef_pg, used_map, lv_maps):
        """Pack rows onto as many data pages as needed; return the (page, slot)
        of each live row.  A DELETED entry leaves a deleted slot (offset flag
        0xC000, no data).  A row with "_overflow" keeps only a 4-byte pointer
        in its place (flag 0x4000) and its data on a later page (flag 0x8000),
        as Jet does when an updated row no longer fits its page."""
        main, targets = [], []
        for r in t.rows:
            if r is DELETED:
                main.append((b"", 0xC000))
            elif r.get("_overflow"):
                targets.append(self.pack_row(t, r, lv_maps))
                main.append((len(targets) - 1, 0x4000))     # pointer, filled below
            else:
                main.append((self.pack_row(t, r, lv_maps), 0))

        def paginate(items):
            pages, cur, used = [], [], 0
            for i, (b, _) in enumerate(items):
                size = 4 if isinstance(b, int) else len(b)
                if size > self.page_room(0, 0):
                    raise ValueError(f"{t.name}: row of {size} bytes does not fit a page")
                if cur and self.page_room(len(cur), used) < size:
                    pages.append(cur)
                    cur, used = [], 0
                cur.append(i)
                used += size
            return pages + [cur] if cur or not pages else pages

        main_pages = paginate(main)
        over_pages = paginate([(b, 0x8000) for b in targets]) if targets else []
        main_nums = [self.alloc() for _ in main_pages]
        over_nums = [self.alloc() for _ in over_pages]
        target_at = {}
        for pg, idxs in zip(over_nums, over_pages):
            self.data_page(tdef_pg, [(targets[i], 0x8000) for i in idxs], n=pg)
            target_at.update({i: (pg, slot) for slot, i in enumerate(idxs)})
        where = []
        for pg, idxs in zip(main_nums, main_pages):
            rows = []
            for slot, i in enumerate(idxs):
                b, flag = main[i]
                if flag == 0x4000:
                    tpg, tslot = target_at[b]
                    b = struct.pack("<I", (tpg << 8) | tslot)
                if flag != 0xC000:
                    where.append((pg, slot))
                rows.append((b, flag))
            self.data_page(tdef_pg, rows, n=pg)
        used_map.extend(main_nums + over_nums)
        return where

    def pk_leaf(self, t, tdef_pg, where, idx_map):
        """One leaf page (type 0x04) of the primary key: entries 7F + key (big-endian,
        sign bit flipped) + 3-byte page + 1-byte row, sorted; a bitmask marks where
        each entry after the first (and the end of the last) begins."""
        f = self.f
        mask_at, first = (0x16, 0xF8) if f.jet == 3 else (0x1B, 0x1E0)
        keys = sorted((r[t.pk] & 0xFFFFFFFF) ^ 0x80000000 for r in t.live)
        if len(set(keys)) != len(keys):
            raise ValueError(f"{t.name}: duplicate primary key")
        loc = {(r[t.pk] & 0xFFFFFFFF) ^ 0x80000000: w for r, w in zip(t.live, where)}
        entries = b"".join(b"\x7f" + struct.pack(">I", k) + struct.pack(">I", loc[k][0])[1:]
                           + bytes([loc[k][1]]) for k in keys)
        if first + len(entries) > f.pg:
            raise ValueError(f"{t.name}: primary key needs more than one index page")
        pg = self.alloc()
        p = self.pages[pg]
        p[0:2] = b"\x04\x01"
        struct.pack_into("<HI", p, 2, f.pg - first - len(entries), tdef_pg)
        for k in range(1, len(keys) + 1):
            bit = 9 * k
            p[mask_at + bit // 8] |= 1 << (bit % 8)
        p[first:first + len(entries)] = entries
        idx_map.append(pg)
        return pg

    # --- table definition ---------------------------------------------------
    def tdef(self, pg, t, used_ref, free_ref, lv_refs, pk=None):
        """pk: (index usage map ref, first index page) when the table has a key."""
        f = self.f
        p = self.pages[pg]
        cols = t.columns
        nidx = 1 if pk else 0
        b = bytearray()
        if f.jet == 3:
            b += b"\x02\x01VC" + struct.pack("<I", 0) + b"\0" * 4
            b += struct.pack("<II", len(t.live), t.last_auto or 0)
        else:
            b += b"\x02\x01\0\0" + struct.pack("<I", 0) + b"\0" * 4
            b += struct.pack("<III", 0, len(t.live), t.last_auto or 0)
            b += b"\x01\0\0\0" + b"\0" * 12
        b += bytes([0x53 if t.system else 0x4E])
        b += struct.pack("<HHHII", len(cols), sum(not c.fixed for c in cols), len(cols), nidx, nidx)
        b += struct.pack("<II", used_ref, free_ref)
        assert len(b) == f.cols_start
        if pk:   # physical index entry: row count (Jet4: in the second word)
            b += struct.pack("<II", len(t.live), 0) if f.jet == 3 else \
                struct.pack("<III", 0, len(t.live), 0)
        for i, c in enumerate(cols):
            flags = (0x01 if c.fixed else 0) | 0x02 | (0x04 if c.auto else 0)
            size = FIXED_SIZE.get(c.type, 0)
            if c.type == BOOL:
                size = 1
            if c.type in (TEXT, BINARY):
                size = c.chars if f.jet == 3 else 2 * c.chars
            if f.jet == 3:
                b += struct.pack("<BHHHHHHBHH", c.type, c.num, c.var_no, c.num, 0, 0x409, 1252,
                                 flags, c.fixed_off, size)
            else:
                misc = 0x01 if (c.type == TEXT and c.compressed) else 0
                b += struct.pack("<BIHHHHHBBIHH", c.type, 0, c.num, c.var_no, c.num, 0x409, 0,
                                 flags, misc, 0, c.fixed_off, size)
        for c in cols:
            if f.jet == 3:
                name = c.name.encode("cp1252")
                b += bytes([len(name)]) + name
            else:
                name = c.name.encode("utf-16-le")
                b += struct.pack("<H", len(name)) + name
        if pk:
            key_col = [c.name for c in cols].index(t.pk)
            keydef = struct.pack("<HB", key_col, 1) + b"\xff\xff\x00" * 9
            flags = 0x09                                   # unique, required
            if f.jet == 3:
                b += keydef + struct.pack("<IIB", pk[0], pk[1], flags)
                logical = b""
            else:
                b += b"\0" * 4 + keydef + struct.pack("<IIIB5x", pk[0], pk[1], 0, flags)
                logical = b"\0" * 4
            # logical index: number 0, physical 0, no foreign key, type 1 = primary
            b += logical + struct.pack("<IIBiIBBB", 0, 0, 0, -1, 0, 0, 0, 1)
            name = "PrimaryKey".encode("cp1252" if f.jet == 3 else "utf-16-le")
            b += (bytes([len(name)]) if f.jet == 3 else struct.pack("<H", len(name))) + name
        for c in cols:
            if c.type in LONG_VALUE:
                b += struct.pack("<HII", c.num, *lv_refs[c.name])
        b += b"\xff\xff"
        if len(b) > f.pg:
            raise ValueError("table definition spans pages: not supported")
        struct.pack_into("<I", b, 8, len(b))
        if f.jet == 4:
            struct.pack_into("<H", b, 2, f.pg - len(b) - 8)
        p[:len(b)] = b

    # --- whole file ---------------------------------------------------------
    def header(self):
        f = self.f
        p = self.pages[0]
        p[0:4] = b"\x00\x01\x00\x00"
        p[4:20] = b"Standard Jet DB\0"
        p[0x14] = 0 if f.jet == 3 else 1
        n = 126 if f.jet == 3 else 128
        plain = bytearray(n)

        def put(off, fmt_, *v):
            struct.pack_into(fmt_, plain, off - 0x18, *v)
        put(0x3C, "<H", 1252)          # code page
        put(0x3E, "<I", 0)             # database key 0: pages are not encrypted
        if f.jet == 3:
            put(0x3A, "<H", 0x409)     # sort order: General
        else:
            put(0x6E, "<I", 0x409)
            when = jet_date(self.created)
            put(0x72, "<d", when)       # creation date; masks the password
            mask = struct.pack("<i", int(when))
            for i in range(40):         # empty password, masked
                plain[0x42 - 0x18 + i] = mask[i % 4]
        p[0x18:0x18 + n] = rc4(b"\xC7\xDA\x39\x6B", bytes(plain))
        if f.jet == 4:
            p[0x9C:0xA0] = b"4.0\0"

    def build(self):
        f = self.f
        self.alloc()                                   # 0 header
        gmap_pg = self.alloc()                         # 1 global usage map
        msys_pg = self.alloc()                         # 2 MSysObjects TDEF
        user_pgs = [self.alloc() for _ in self.tables]
        msys = self.msysobjects(user_pgs)
        all_tables = [(msys_pg, msys)] + list(zip(user_pgs, self.tables))
        # usage maps: two per table, two per long-value column
        plan = {}
        for pg, t in all_tables:
            plan[pg] = {"used": self.new_map(), "free": self.new_map(),
                        "lv": {c.name: (self.new_map(), self.new_map())
                               for c in t.columns if c.type in LONG_VALUE},
                        "idx": self.new_map() if t.pk else None}
        per_page = (f.pg - f.row_count_off - 2) // (2 + 5 + f.map_bytes)
        map_pgs = [self.alloc() for _ in range((len(self.maps) + per_page - 1) // per_page)]
        for i, m in enumerate(self.maps):
            self.map_ref[id(m)] = (map_pgs[i // per_page] << 8) | (i % per_page)
        for pg, t in all_tables:
            lv_used = {name: pair[0] for name, pair in plan[pg]["lv"].items()}
            where = self.write_rows(t, pg, plan[pg]["used"], lv_used)
            plan[pg]["free"].extend(plan[pg]["used"])
            if t.pk:
                plan[pg]["leaf"] = self.pk_leaf(t, pg, where, plan[pg]["idx"])
            for used, free in plan[pg]["lv"].values():
                free.extend(used)
        if self.next_page > 8 * f.map_bytes:
            raise ValueError("file too large for inline usage maps")
        # render usage map pages, TDEFs, global map, header
        for k, pg in enumerate(map_pgs):
            rows = []
            for m in self.maps[k * per_page:(k + 1) * per_page]:
                bits = bytearray(f.map_bytes)
                for owned in m:
                    bits[owned // 8] |= 1 << (owned % 8)
                rows.append(b"\0" + struct.pack("<I", 0) + bits)
            self.data_page(0, rows, n=pg)
        for pg, t in all_tables:
            ref = lambda m: self.map_ref[id(m)]
            pk = (ref(plan[pg]["idx"]), plan[pg]["leaf"]) if t.pk else None
            self.tdef(pg, t, ref(plan[pg]["used"]), ref(plan[pg]["free"]),
                      {n: (ref(u), ref(fr)) for n, (u, fr) in plan[pg]["lv"].items()}, pk)
        total = self.next_page
        gbits = bytearray(f.map_bytes)
        for i in range(total, 8 * f.map_bytes):
            gbits[i // 8] |= 1 << (i % 8)
        self.data_page(1, [b"\0" * 5 + gbits, b"\0" * (5 + f.map_bytes)], n=gmap_pg)
        self.header()
        return b"".join(bytes(self.pages[i]) for i in range(total))

    def msysobjects(self, user_pgs):
        T = TEXT
        cols = [Column("Id", LONG), Column("ParentId", LONG), Column("Name", T),
                Column("Type", INT), Column("DateCreate", DATETIME),
                Column("DateUpdate", DATETIME), Column("Owner", BINARY, 255),
                Column("Flags", LONG), Column("Database", MEMO), Column("Connect", MEMO),
                Column("ForeignName", T), Column("RmtInfoShort", BINARY, 255),
                Column("RmtInfoLong", OLE), Column("Lv", OLE), Column("LvProp", OLE),
                Column("LvModule", OLE), Column("LvExtra", OLE)]
        when = self.created
        def obj(id_, parent, name, type_, flags):
            return {"Id": id_, "ParentId": parent, "Name": name, "Type": type_,
                    "DateCreate": when, "DateUpdate": when, "Flags": flags}
        rows = [obj(0x0F000001, 0x0F000000, "Tables", 3, SYS_FLAG),
                obj(0x0F000002, 0x0F000000, "Databases", 3, SYS_FLAG),
                obj(0x0F000003, 0x0F000000, "Relationships", 3, SYS_FLAG),
                obj(0x10000000, 0x0F000002, "MSysDb", 2, SYS_FLAG),
                obj(2, 0x0F000001, "MSysObjects", 1, SYS_FLAG)]
        rows += [obj(pg, 0x0F000001, t.name, 1, 0) for pg, t in zip(user_pgs, self.tables)]
        return Table("MSysObjects", cols, rows, system=True)


def write_mdb(path, jet, tables, loop=False):
    data = Writer(jet, tables, loop=loop).build()
    with open(path, "wb") as fh:
        fh.write(data)
    return len(data)


# ---------------------------------------------------------------- fixtures

def fixtures(jet, money, comments, unfit=False, active="yesno", counter=11, design_changed=False):
    M = MONEY if money == "currency" else DOUBLE
    def amt(v):
        return decimal.Decimal(v) if M == MONEY else float(v)
    wide = jet == 4    # Jet3 text is cp1252: keep to characters it can hold
    cust_cols = [Column("Account", LONG, auto=True)] + \
        [Column(n, TEXT, s) for n, s in (("Name", 50), ("Address", 50), ("City", 20),
                                          ("State", 20), ("Zip", 5), ("Home", 15),
                                          ("Cell", 15), ("HisWork", 15), ("HerWork", 15))] + \
        [Column("DateStarted", DATETIME), Column("Schedule", TEXT, 20),
         Column("AmountPerVisit", M), Column("AmountMonthly", M)] + \
        ([Column("Active", BOOL if active == "yesno" else LONG)] if active != "none" else []) + \
        [Column("Comments", MEMO if comments == "memo" else TEXT, None if comments == "memo" else 100,
                added=design_changed)] + \
        ([Column("Email", TEXT, 50), Column("Photo", OLE)] if unfit else [])
    if design_changed:   # a Fax column, deleted since the oldest rows were written
        cust_cols.insert(10, Column("Fax", TEXT, 15, deleted=True))
    long_note = ("Gate code 4411. Dog in yard (friendly). Call before coming; "
                 "Mrs. Peña prefers mornings. ") * (3 if comments == "memo" else 0)
    huge_note = "Service history: " + "treated perimeter; " * 300
    customers = [
        dict(Account=1, Name="Adams, Robert", Address="12 Oak St", City="Tampa",
             State="Florida", Zip="33601", Home="813-555-0101", Cell="813-555-0199",
             HisWork=None, HerWork=None, DateStarted=dt.date(2001, 3, 15),
             Schedule="Monthly", AmountPerVisit=amt("35.00"), AmountMonthly=amt("35.00"),
             Active=True, Comments="Side gate", Email="adams@example.com" if unfit else None,
             Photo=b"\x00\x01PNG\r\n\x00\x1a\n\tbinary\\" if unfit else None,
             Fax="813-555-0100", _old=design_changed),
        dict(Account=2, Name="José Peña-Müller" if wide else "José Peña-Müller",
             Address="Cañada Blvd 7", City="Kraków" if wide else "Mérida",
             State="Florida", Zip="", Home="", Cell=None, HisWork="555-0102 x12",
             HerWork="日本" if wide else None, DateStarted=dt.datetime(2002, 11, 30, 14, 45),
             Schedule="BiMonthly", AmountPerVisit=amt("49.99"), AmountMonthly=amt("24.995" if M == DOUBLE else "24.9950"),
             Active=False, Fax="555-0102", _old=design_changed,
             Comments=("Łódź → €5 tip; 日本語 OK" if wide else "Zoë paid €5 tip — “thanks”")),
        DELETED, DELETED,                   # customers 3 and 4 were deleted
        dict(Account=5, Name="Null Tester", Address=None, City=None, State=None, Zip=None,
             Home=None, Cell=None, HisWork=None, HerWork=None, DateStarted=None,
             Schedule=None, AmountPerVisit=None, AmountMonthly=None, Active=False,
             Comments=None),
        dict(_overflow=True,                # grew on update: moved to an overflow page
             Account=7, Name="O'Brien \"Bud\", Jr.", Address="1 Line\r\nTwo", City="Ocala",
             State="Florida", Zip="34470", Home="352-555-0177", Cell=None, HisWork=None,
             HerWork=None, DateStarted=dt.datetime(1850, 6, 1, 18, 0), Schedule="Yearly",
             AmountPerVisit=amt("-12.3456" if M == MONEY else "-12.5"),
             AmountMonthly=amt("922337203685477.5807" if M == MONEY else "0.1"),
             Active=True, Comments=long_note or "x" * 100),
        dict(Account=9, Name="Zed Long Memo", Address=None, City="Tampa", State="Florida",
             Zip="33602", Home=None, Cell=None, HisWork=None, HerWork=None,
             DateStarted=dt.date(50, 6, 1) if unfit else dt.date(1899, 12, 30), Schedule="OneShot",
             AmountPerVisit=amt("0"), AmountMonthly=amt("0"), Active=True,
             Comments=huge_note if comments == "memo" else "y" * 100),
    ]
    if active == "long":                # as Access writes Yes and No; no answer is NULL
        for c in customers:
            if isinstance(c, dict):
                c["Active"] = None if c["Name"] == "Null Tester" else (-1 if c["Active"] else 0)
    def ledger(prefix, n, sign, text_amounts=False):
        rows = []
        for i in range(n):
            if i % 37 == 36:
                rows.append(DELETED)
            amount = f"{sign * (i * 1.25 + 0.05):.2f}"
            rows.append({f"{prefix}Type": ("Café supplies" if i % 7 == 0 else f"Item {i}"),
                         f"{prefix}Amount": ("n/a" if i == 2 else amount) if text_amounts else amt(amount),
                         f"{prefix}Date": dt.date(2004, 1, 1) + dt.timedelta(days=i),
                         f"{prefix}Invoice": None if i % 5 == 0 else f"INV-{1000 + i}",
                         "_overflow": i % 53 == 20})
        return rows
    def ledger_cols(prefix, amount_type=M):
        return [Column(f"{prefix}Type", TEXT, 50), Column(f"{prefix}Amount", amount_type, 20),
                Column(f"{prefix}Date", DATETIME), Column(f"{prefix}Invoice", TEXT, 50)]
    # Row lengths swept across the 256/512/768/1024-byte marks (Jet3 jump table).
    stress_cols = [Column("ID", LONG, auto=True)] + \
        [Column(n, TEXT, 255) for n in "ABCD"] + [Column("Flag", BOOL), Column("Note", MEMO)]
    stress = []
    for i, n in enumerate(range(0, 1021, 3)):
        parts = [min(255, max(0, n - 255 * k)) for k in range(4)]
        row = {"ID": i + 1, "Flag": i % 2 == 0,
               "Note": None if i % 3 else "é" * (i % 90)}
        for name, m in zip("ABCD", parts):
            row[name] = None if (m == 0 and i % 2) else ("ü" if wide and i % 4 == 0 else "a") * m
        stress.append(row)
    return {
        "Stress.mdb": [Table("Stress", stress_cols, stress, last_auto=len(stress),
                             pk="ID" if jet == 4 else None)],   # 341 keys: 2 Jet3 leaf pages
        "Customers.mdb": [Table("Customers", cust_cols, customers, last_auto=counter,
                                pk="Account")],
        "Income.mdb": [Table("Income", ledger_cols("Income"), ledger("Income", 300, 1))],
        # --unfit: the amounts typed as text, one of them no number.
        "Expense.mdb": [Table("Expense", ledger_cols("Expense", TEXT if unfit else M),
                              ledger("Expense", 40, 1, unfit))],
    }


def expected_value(col, v):
    if isinstance(v, bytes):
        return v.hex().upper()
    if v is None:
        return False if col.type == BOOL else None
    if col.type == DATETIME:
        if not isinstance(v, dt.datetime):
            v = dt.datetime(v.year, v.month, v.day)
        return v.strftime("%Y-%m-%d %H:%M:%S")
    if isinstance(v, decimal.Decimal):
        return str(v.quantize(decimal.Decimal("0.0001")))
    return v


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("outdir")
    ap.add_argument("--jet", type=int, choices=(3, 4), default=4)
    ap.add_argument("--money", choices=("currency", "double"), default="currency")
    ap.add_argument("--comments", choices=("memo", "text"), default="memo")
    ap.add_argument("--unfit", action="store_true",
                    help="add what the program cannot carry: a column it lacks, "
                         "a date before the year 100, text in an amount column")
    ap.add_argument("--active", choices=("yesno", "long", "none"), default="yesno",
                    help="the customers' Active column: Yes/No, a Long of -1 and 0 "
                         "with one NULL, or no such column")
    ap.add_argument("--loop", action="store_true",
                    help="damage: the customers' long memo runs on pages in a circle")
    ap.add_argument("--design-changed", action="store_true",
                    help="the customers' Comments column added and a Fax column deleted "
                         "after the two oldest rows were written")
    ap.add_argument("--counter", type=int, default=11,
                    help="the Customers AutoNumber counter (the highest Account is 9)")
    a = ap.parse_args()
    os.makedirs(a.outdir, exist_ok=True)
    expected = {}
    for fname, tables in fixtures(a.jet, a.money, a.comments, a.unfit, a.active, a.counter, a.design_changed).items():
        size = write_mdb(os.path.join(a.outdir, fname), a.jet, tables, a.loop and fname == "Customers.mdb")
        print(f"{fname}: Jet{a.jet}, {size} bytes, "
              + ", ".join(f"{t.name} {len(t.live)} rows" for t in tables))
        for t in tables:
            expected[t.name] = {
                "file": fname, "last_autonumber": t.last_auto,
                "columns": [[c.name, c.type] for c in t.columns],
                "rows": [[expected_value(c, None if c.added and r.get("_old") else r.get(c.name))
                          for c in t.columns] for r in t.live]}
    with open(os.path.join(a.outdir, "expected.json"), "w", encoding="utf-8") as fh:
        json.dump(expected, fh, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
