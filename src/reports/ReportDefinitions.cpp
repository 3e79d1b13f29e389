#include "ReportDefinitions.h"

namespace {

using Kind = ReportControl::Kind;
using Format = FieldFormat;

ReportControl label(const char *caption, int left, int width, double pointSize = 8.25)
{
    return {Kind::Label, QString::fromLatin1(caption), left, width, Format::Text, pointSize};
}

ReportControl field(const char *name, int left, int width, Format format = Format::Text)
{
    return {Kind::Field, QString::fromLatin1(name), left, width, format, 8.25};
}

ReportControl sum(const char *name, int left, int width)
{
    return {Kind::Sum, QString::fromLatin1(name), left, width, Format::Money, 8.25};
}

// "Page %p Of %P  Date Printed: %d"; the ledger reports place the date further right.
QList<ReportControl> pageFooter(int pageNumberWidth, int ofWidth, int pageCountWidth,
                                int dateLabelLeft)
{
    return {label("Page", 0, 435),     label("%p", 432, pageNumberWidth),
            label("Of", 864, ofWidth), label("%P", 1152, pageCountWidth),
            label("Date Printed:", dateLabelLeft, 1005), label("%d", dateLabelLeft + 1008, 1440)};
}

} // namespace

namespace ReportDefinitions {

ReportDefinition customerReport()
{
    ReportDefinition report;
    report.caption = QStringLiteral("Customer Report");
    report.contentWidth = 14145;
    report.marginLeftRight = 720;
    report.marginTopBottom = 1440;
    report.landscape = true;
    report.reportHeader = {270, {label("Customer Report", 0, 2448, 15.75)}};
    report.pageHeader = {240,
                         {label("Account:", 0, 864), label("Name:", 720, 1305),
                          label("Address:", 2304, 1305), label("City:", 5184, 870),
                          label("Home:", 6048, 1155), label("Cell:", 7200, 1005),
                          label("Schedule:", 8208, 870), label("Amount/Visit:", 9504, 1020),
                          label("AmountMonthly:", 10656, 1290), label("Comments:", 11952, 855)}};
    report.detail = {240,
                     {field("Account", 0, 720), field("Name", 720, 1584),
                      field("Address", 2304, 2736), field("City", 5184, 870),
                      field("Home", 6048, 1155), field("Cell", 7200, 1005),
                      field("Schedule", 8208, 1305), label("$", 9504, 150),
                      field("AmountPerVisit", 9648, 870, Format::Money), label("$", 10512, 135),
                      field("AmountMonthly", 10656, 1305, Format::Money),
                      field("Comments", 11952, 2160)}};
    report.pageFooter = {240, pageFooter(420, 285, 435, 1872)};
    report.reportFooter = {240,
                           {label("Total of Monthly Amounts    $", 7920, 2160),
                            sum("AmountMonthly", 10080, 1440)}};
    return report;
}

ReportDefinition routeReport()
{
    ReportDefinition report;
    report.caption = QStringLiteral("Route Report");
    report.contentWidth = 14385;
    report.marginLeftRight = 720;
    report.marginTopBottom = 1440;
    report.landscape = true;
    // No title, no page numbers and no total: those bands are empty.
    report.reportHeader = {360, {}};
    report.pageHeader = {360,
                         {label("Account:", 0, 720), label("Name:", 720, 1440),
                          label("Address:", 2448, 1290), label("City:", 5184, 864),
                          label("Home:", 6048, 1155), label("Cell:", 7200, 1152),
                          label("HisWork:", 8352, 1152), label("HerWork:", 9504, 1155),
                          label("Schedule:", 10800, 870), label("AmountPerVisit:", 12384, 1155)}};
    report.detail = {240,
                     {field("Account", 0, 720), field("Name", 720, 1728),
                      field("Address", 2448, 2592), field("City", 5184, 864),
                      field("Home", 6048, 1152), field("Cell", 7200, 1152),
                      field("HisWork", 8352, 1152), field("HerWork", 9504, 1155),
                      field("Schedule", 10800, 1440), label("$", 12384, 135),
                      field("AmountPerVisit", 12528, 855)}};
    report.pageFooter = {360, {}};
    report.reportFooter = {360, {}};
    return report;
}

ReportDefinition incomeReport()
{
    ReportDefinition report;
    report.caption = QStringLiteral("Income Report");
    // The widest row's width; the report stores none of its own.
    report.contentWidth = 5904;
    report.marginLeftRight = 1440;
    report.marginTopBottom = 1440;
    report.reportHeader = {315, {label("Income Report", 0, 2310, 15.75)}};
    report.pageHeader = {255,
                         {label("Income Name:", 0, 1305), label("Income Amount:", 1584, 1290),
                          label("Income Date:", 3024, 1305), label("Income Invoice:", 4464, 1305)}};
    report.detail = {288,
                     {field("IncomeType", 0, 1440), label("$", 1440, 135),
                      field("IncomeAmount", 1584, 1440, Format::Money),
                      field("IncomeDate", 3024, 1440, Format::Date),
                      field("IncomeInvoice", 4464, 1440)}};
    report.pageFooter = {240, pageFooter(432, 300, 432, 2160)};
    report.reportFooter = {384, {label("Total:   $", 864, 720), sum("IncomeAmount", 1584, 1440)}};
    return report;
}

ReportDefinition expenseReport()
{
    ReportDefinition report;
    report.caption = QStringLiteral("Expense Report");
    report.contentWidth = 7776;
    report.marginLeftRight = 1440;
    report.marginTopBottom = 1440;
    report.reportHeader = {240, {label("Expense Report", 0, 2445, 15.75)}};
    report.pageHeader = {240,
                         {label("Expense Type:", 0, 1305), label("Expense Amount:", 1584, 1440),
                          label("Expense Date:", 3024, 1290), label("Expense Invoice:", 4464, 1305)}};
    report.detail = {240,
                     {field("ExpenseType", 0, 1440), label("$", 1440, 150),
                      field("ExpenseAmount", 1584, 1440, Format::Money),
                      field("ExpenseDate", 3024, 1440, Format::Date),
                      field("ExpenseInvoice", 4464, 1440)}};
    report.pageFooter = {528, pageFooter(435, 285, 432, 2160)};
    report.reportFooter = {567, {label("Total:    $", 864, 720), sum("ExpenseAmount", 1584, 1440)}};
    return report;
}

} // namespace ReportDefinitions
