#pragma once

#include "Table.h"

class DataFolder;

// The books moved to a private PostgreSQL server on a Unix socket: the first
// customer shown beside the same on the data folder and beside psql's \copy
// of the same rows, and a Save at one desk until another desk shows it.
QList<Row> serverRows(const DataFolder &folder, int customers);
