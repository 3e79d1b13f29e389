#pragma once

#include "Table.h"

class DataFolder;

// From before the main window is built until the Customers tab's Name box
// shows a customer. The box is polled while events run, so that this holds
// whether the rows are read before the window shows or after, on another thread.
double firstCustomerShown(const DataFolder &folder);

// The first customer on the Customers tab after start, the three searches
// and the customer list.
QList<Row> customerTabRows(const DataFolder &folder, int customers);
