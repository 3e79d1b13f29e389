#include "ReportsTab.h"

#include "Clock.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "FormBuilder.h"
#include "MessageBox.h"
#include "ReportCommands.h"
#include "ReportDefinitions.h"
#include "ShowInFront.h"
#include "TabPage.h"
#include "frmReport.h"

#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

ReportsTab::ReportsTab(const DataFolder &folder, MessageBox &messages, const Clock &clock,
                       QWidget *parent)
    : QWidget(parent), m_messages(messages), m_clock(clock),
      m_mainReport{&m_customers, folder.database(DataFiles::customers), ReportCommands::customers,
                   ReportDefinitions::customerReport(), {}},
      m_routeReport{&m_customers, folder.database(DataFiles::customers), ReportCommands::customers,
                    ReportDefinitions::routeReport(), {}},
      m_incomeReport{&m_income, folder.database(DataFiles::income), ReportCommands::income,
                     ReportDefinitions::incomeReport(), {}},
      m_expenseReport{&m_expense, folder.database(DataFiles::expense), ReportCommands::expense,
                      ReportDefinitions::expenseReport(), {}}
{
    buildCustomerReports();
    buildFinanceReports();
    const FormBuilder page(this, TabPage::topOffset);
    m_calculator = page.button(QStringLiteral("cmdCalculator2"), QStringLiteral("Calculator"), 6360,
                               6000, 1155, 345);
    connect(m_mainReportButton, &QPushButton::clicked, this, &ReportsTab::cmdShowReport1_Click);
    connect(m_expenseReportButton, &QPushButton::clicked, this, &ReportsTab::cmdShowReport2_Click);
    connect(m_incomeReportButton, &QPushButton::clicked, this, &ReportsTab::cmdShowReport3_Click);
    connect(m_routeReportButton, &QPushButton::clicked, this, &ReportsTab::cmdShowReport4_Click);
}

void ReportsTab::buildCustomerReports()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraCustomerReports"),
                                    QStringLiteral("Customer Reports"), 240, 600, 7095, 1335));
    m_customersRange = addDateRange(in, QStringLiteral("DTPicker1"), QStringLiteral("DTPicker2"));
    const struct {
        const char *caption, *option;
        int left;
        QRadioButton **member;
    } options[] = {{"Active:", "Option5", 3180, &m_activeOnly},
                   {"Inactive:", "Option6", 3900, &m_inactiveOnly},
                   {"All:", "Option7", 4620, nullptr}};
    for (const auto &option : options) {
        in.label(QString::fromLatin1(option.caption), option.left, 360, 705);
        QRadioButton *button = in.option(QString::fromLatin1(option.option), option.left + 180, 660);
        if (option.member)
            *option.member = button;
    }
    m_activeOnly->setChecked(true);
    m_mainReportButton = in.button(QStringLiteral("cmdShowReport1"), QStringLiteral("&Main Report"),
                                   5460, 300, 1455, 375);
    m_routeReportButton = in.button(QStringLiteral("cmdShowReport4"), QStringLiteral("Ro&ute Report"),
                                    5460, 780, 1455, 375);
}

void ReportsTab::buildFinanceReports()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder finance(page.frame(QStringLiteral("fraFinanceReports"),
                                         QStringLiteral("Finance Reports"), 240, 2040, 7095, 3015));
    const struct {
        const char *frame, *caption;
        int top;
        const char *from, *to, *button, *buttonCaption;
        DateRange *range;
        QPushButton **show;
    } ledgers[] = {{"fraIncomeReport", "Income", 240, "DTPicker5", "DTPicker6", "cmdShowReport3",
                    "&Show Report", &m_incomeRange, &m_incomeReportButton},
                   {"fraExpenseReport", "Expense", 1560, "DTPicker3", "DTPicker4", "cmdShowReport2",
                    "Sho&wReport", &m_expenseRange, &m_expenseReportButton}};
    for (const auto &ledger : ledgers) {
        const FormBuilder in(finance.frame(QString::fromLatin1(ledger.frame),
                                           QString::fromLatin1(ledger.caption), 180, ledger.top, 6735,
                                           1215));
        *ledger.range =
            addDateRange(in, QString::fromLatin1(ledger.from), QString::fromLatin1(ledger.to));
        *ledger.show = in.button(QString::fromLatin1(ledger.button),
                                 QString::fromLatin1(ledger.buttonCaption), 5100, 540, 1455, 375);
    }
}

// Every frame of the tab has its range of dates.
ReportsTab::DateRange ReportsTab::addDateRange(const FormBuilder &in, const QString &startPicker,
                                               const QString &endPicker)
{
    in.label(QStringLiteral("Starting Date:"), 240, 390, 1095);
    QDateEdit *from = in.datePicker(startPicker, 1380, 360, 1575);
    in.label(QStringLiteral("Ending Date:"), 240, 810, 1095);
    return {from, in.datePicker(endPicker, 1380, 780, 1575)};
}

void ReportsTab::setStartingDates()
{
    const QDate today = m_clock.today();
    m_customersRange.from->setDate(QDate(1980, 1, 1));
    for (const DateRange *ledger : {&m_incomeRange, &m_expenseRange})
        ledger->from->setDate(QDate(2004, 1, 1));
    for (const DateRange *range : {&m_customersRange, &m_incomeRange, &m_expenseRange})
        range->to->setDate(today);
}

// The Active pair from the option chosen: both yes, both no, or one of each.
QVariantList ReportsTab::customerParameters() const
{
    QVariantList parameters = rangeParameters(m_customersRange);
    if (m_activeOnly->isChecked())
        parameters << -1 << -1;
    else if (m_inactiveOnly->isChecked())
        parameters << 0 << 0;
    else
        parameters << 0 << -1;
    return parameters;
}

QVariantList ReportsTab::rangeParameters(const DateRange &range)
{
    return {DateText::toStored(range.from->date()), DateText::toStored(range.to->date())};
}

// A range that ends before it starts holds nothing: that is said, where a
// report would only show no rows and a total of 0.00.
bool ReportsTab::rangeIsSound(const DateRange &range, const Report &report)
{
    if (range.from->date() <= range.to->date())
        return true;
    m_messages.show(window(), {QStringLiteral("The Starting Date, %1, is after the Ending Date, %2, "
                                              "so no entry can fall between them. Choose a Starting "
                                              "Date on or before the Ending Date.")
                                   .arg(DateText::toShort(range.from->date()),
                                        DateText::toShort(range.to->date())),
                               report.definition.caption, QMessageBox::Ok,
                               QMessageBox::Information});
    range.from->setFocus();
    return false;
}

void ReportsTab::cmdShowReport1_Click()
{
    if (rangeIsSound(m_customersRange, m_mainReport))
        showReport(m_mainReport, customerParameters());
}

void ReportsTab::cmdShowReport4_Click()
{
    if (rangeIsSound(m_customersRange, m_routeReport))
        showReport(m_routeReport, customerParameters());
}

void ReportsTab::cmdShowReport3_Click()
{
    if (rangeIsSound(m_incomeRange, m_incomeReport))
        showReport(m_incomeReport, rangeParameters(m_incomeRange));
}

void ReportsTab::cmdShowReport2_Click()
{
    if (rangeIsSound(m_expenseRange, m_expenseReport))
        showReport(m_expenseReport, rangeParameters(m_expenseRange));
}

// The connection is opened afresh for every run, and the query reads the
// tables as they are at the click. A report already open shows the new rows,
// or keeps its own when they cannot be read.
void ReportsTab::showReport(Report &report, const QVariantList &parameters)
{
    std::unique_ptr<DataEnvironment> &environment = *report.environment;
    if (!environment)
        environment = std::make_unique<DataEnvironment>(report.database);
    environment->close();
    QString error;
    const bool opened = environment->open(&error);
    const bool created = opened && !report.window;
    if (created) {
        report.window = new frmReport(report.definition, m_messages, window());
        DataEnvironment *environmentOpened = environment.get();
        connect(report.window, &frmReport::closed, this,
                [environmentOpened] { environmentOpened->close(); });
    }
    if (!opened || !report.window->showRows(environment->start(report.command, parameters),
                                            m_clock.today(), &error)) {
        if (created)
            delete report.window;
        environment->close();
        m_messages.show(window(), {QStringLiteral("The %1 could not be made.\n\n%2")
                                       .arg(report.definition.caption, error),
                                   MessageBox::applicationTitle(), QMessageBox::Ok,
                                   QMessageBox::Warning});
        return;
    }
    showInFront(report.window);
}

void ReportsTab::closeConnections()
{
    for (const auto *environment : {&m_customers, &m_expense, &m_income})
        if (*environment)
            (*environment)->close();
}
