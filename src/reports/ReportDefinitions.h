#pragma once

#include "ReportDefinition.h"

// The four reports the program prints.
namespace ReportDefinitions {

ReportDefinition customerReport();
ReportDefinition routeReport();
ReportDefinition incomeReport();
ReportDefinition expenseReport();

} // namespace ReportDefinitions
