#pragma once

#include "Table.h"

class DataFolder;

// The customer report (the Main Report button): its first page on screen,
// and the whole report as a PDF.
QList<Row> customerReportRows(const DataFolder &folder, int customers);
