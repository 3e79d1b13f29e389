#pragma once

// glib first: mdbtools.h includes it inside its extern "C" block, where
// glib's C++ templates do not compile.
#include <glib.h>
#include <mdbtools.h>

#include <cstdio>

// Writes one table to out as lines of tab-separated fields:
//   table  NAME  STORED-ROWS  LAST-AUTONUMBER
//   column NAME  TYPE            one line per column, in the table's order
//   row    VALUE ...             one line per row, in the table's order
//   end    ROWS
// A value is \N for NULL; otherwise its text with backslash, tab, line feed,
// carriage return and NUL written \\, \t, \n, \r and \0. Fixed-width values
// come from their bytes, never from libmdb's locale-dependent text: Yes/No 1
// or 0; whole numbers in decimal; Currency as the whole number of 1/10,000
// units; Single, Double and Date/Time (days from 1899-12-30) as the shortest
// decimal that reads back to the same number. Text and Memo come as UTF-8,
// other types as hex digits of the bytes libmdb gives for them. A row stored
// before a column was added or deleted is read by its columns' numbers.
//
// Damage never crashes or hangs it: each row's layout and the table's map of
// its pages are checked before libmdb reads them, and a page past the end of
// the file (fileSize bytes) or met twice ends the reading. Returns false
// after telling stderr why.
bool dumpTable(MdbHandle *mdb, MdbTableDef *table, std::FILE *out, long long fileSize);

// libmdb walks a table's map of its pages as it stands, and a damaged map
// sends it reading outside its memory: a map is checked before it is used.
bool pageMapFits(const MdbHandle *mdb, const MdbTableDef *table);
