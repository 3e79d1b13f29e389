#pragma once

#include "Table.h"

class DataFolder;
class VirtualDisplay;

// Spawn to the main window's first paint, and the program's peak memory:
// each round a process of its own.
QList<Row> startupRows(const DataFolder &folder, int customers, const VirtualDisplay &display);
