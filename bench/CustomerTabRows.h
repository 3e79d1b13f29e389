#pragma once

#include "Table.h"

class DataFolder;

// The first customer on the Customers tab after start, the three searches
// and the customer list.
QList<Row> customerTabRows(const DataFolder &folder, int customers);
