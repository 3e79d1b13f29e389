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
// A value is \N for NULL; otherwise its text with backslash, tab, line feed
// and carriage return written \\, \t, \n and \r. Fixed-width values come
// from their bytes, never from libmdb's locale-dependent text: Yes/No 1 or
// 0; whole numbers in decimal; Currency as the whole number of 1/10,000
// units; Single, Double and Date/Time (days from 1899-12-30) as the shortest
// decimal that reads back to the same number. Text and Memo come as UTF-8,
// other types as libmdb writes them. Returns false after telling stderr why.
bool dumpTable(MdbHandle *mdb, MdbTableDef *table, std::FILE *out);
