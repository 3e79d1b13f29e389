#pragma once

#include "Table.h"

class DataFolder;

// The export to Excel, the zip backup and the exit sequence. The export
// reads exportFolder, which holds at most the 65,535 customers a worksheet
// can take.
QList<Row> maintenanceRows(const DataFolder &folder, const DataFolder &exportFolder, int customers);
