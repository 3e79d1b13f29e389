#pragma once

#include "Table.h"

class DataFolder;

// The first customer on the Customers tab after start, and the three searches.
QList<Row> customerTabRows(const DataFolder &folder, int customers);
