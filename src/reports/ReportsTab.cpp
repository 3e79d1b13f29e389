#include "ReportsTab.h"

#include "DateText.h"
#include "FormBuilder.h"
#include "MessageBox.h"
#include "ReportCommands.h"
#include "ReportDefinitions.h"
#include "TabPage.h"
#include "frmReport.h"

#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// "Starting Date:" and "Ending Date:" with their pickers, as every frame of the tab has them.
void addDateRange(const FormBuilder &in, const QString &startPicker, const QString &endPicker)
{
    in.label(QStringLiteral("Starting Date:"), 240, 390, 1095);
    in.datePicker(startPicker, 1380, 360, 1575);
    in.label(QStringLiteral("Ending Date:"), 240, 810, 1095);
    in.datePicker(endPicker, 1380, 780, 1575);
}

} // namespace

ReportsTab::ReportsTab(MessageBox &messages, QWidget *parent)
    : QWidget(parent), m_messages(messages),
      m_mainReport{&m_customers, ReportCommands::customersConnection, ReportCommands::customers,
                   ReportDefinitions::customerReport(), {}},
      m_routeReport{&m_customers, ReportCommands::customersConnection, ReportCommands::customers,
                    ReportDefinitions::routeReport(), {}},
      m_incomeReport{&m_income, ReportCommands::incomeConnection, ReportCommands::income,
                     ReportDefinitions::incomeReport(), {}},
      m_expenseReport{&m_expense, ReportCommands::expenseConnection, ReportCommands::expense,
                      ReportDefinitions::expenseReport(), {}}
{
    buildCustomerReports();
    buildFinanceReports();
    const FormBuilder page(this, TabPage::topOffset);
    m_calculator = page.button(QStringLiteral("cmdCalculator2"), QStringLiteral("Calculator"), 6360,
                               6000, 1155, 345);
    const struct {
        const char *button;
        void (ReportsTab::*handler)();
    } buttons[] = {{"cmdShowReport1", &ReportsTab::cmdShowReport1_Click},
                   {"cmdShowReport2", &ReportsTab::cmdShowReport2_Click},
                   {"cmdShowReport3", &ReportsTab::cmdShowReport3_Click},
                   {"cmdShowReport4", &ReportsTab::cmdShowReport4_Click}};
    for (const auto &entry : buttons)
        connect(findChild<QPushButton *>(QString::fromLatin1(entry.button)), &QPushButton::clicked,
                this, entry.handler);
}

void ReportsTab::buildCustomerReports()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraCustomerReports"),
                                    QStringLiteral("Customer Reports"), 240, 600, 7095, 1335));
    addDateRange(in, QStringLiteral("DTPicker1"), QStringLiteral("DTPicker2"));
    const struct {
        const char *caption, *option;
        int left;
    } options[] = {{"Active:", "Option5", 3180}, {"Inactive:", "Option6", 3900}, {"All:", "Option7", 4620}};
    for (const auto &option : options) {
        in.label(QString::fromLatin1(option.caption), option.left, 360, 705);
        in.option(QString::fromLatin1(option.option), option.left + 180, 660)
            ->setChecked(option.left == 3180);
    }
    in.button(QStringLiteral("cmdShowReport1"), QStringLiteral("Main Report"), 5460, 300, 1455, 375);
    in.button(QStringLiteral("cmdShowReport4"), QStringLiteral("Route Report"), 5460, 780, 1455, 375);
}

void ReportsTab::buildFinanceReports()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder finance(page.frame(QStringLiteral("fraFinanceReports"),
                                         QStringLiteral("Finance Reports"), 240, 2040, 7095, 3015));
    const FormBuilder income(finance.frame(QStringLiteral("fraIncomeReport"), QStringLiteral("Income"),
                                           180, 240, 6735, 1215));
    addDateRange(income, QStringLiteral("DTPicker5"), QStringLiteral("DTPicker6"));
    income.button(QStringLiteral("cmdShowReport3"), QStringLiteral("Show Report"), 5100, 540, 1455,
                  375);
    const FormBuilder expense(finance.frame(QStringLiteral("fraExpenseReport"),
                                            QStringLiteral("Expense"), 180, 1560, 6735, 1215));
    addDateRange(expense, QStringLiteral("DTPicker3"), QStringLiteral("DTPicker4"));
    expense.button(QStringLiteral("cmdShowReport2"), QStringLiteral("ShowReport"), 5100, 540, 1455,
                   375);
}

void ReportsTab::setStartingDates(const QDate &today)
{
    const QDate customersFrom(1980, 1, 1);
    const QDate ledgerFrom(2004, 1, 1);
    const struct {
        const char *picker;
        QDate date;
    } dates[] = {{"DTPicker1", customersFrom}, {"DTPicker2", today}, {"DTPicker3", ledgerFrom},
                 {"DTPicker4", today},         {"DTPicker5", ledgerFrom}, {"DTPicker6", today}};
    for (const auto &entry : dates)
        findChild<QDateEdit *>(QString::fromLatin1(entry.picker))->setDate(entry.date);
}

// The Active pair from the option chosen: both yes, both no, or one of each.
QVariantList ReportsTab::customerParameters() const
{
    QVariantList parameters = rangeParameters("DTPicker1", "DTPicker2");
    if (findChild<QRadioButton *>(QStringLiteral("Option5"))->isChecked())
        parameters << -1 << -1;
    else if (findChild<QRadioButton *>(QStringLiteral("Option6"))->isChecked())
        parameters << 0 << 0;
    else
        parameters << 0 << -1;
    return parameters;
}

QVariantList ReportsTab::rangeParameters(const char *from, const char *to) const
{
    QVariantList parameters;
    for (const char *picker : {from, to})
        parameters << DateText::toStored(findChild<QDateEdit *>(QString::fromLatin1(picker))->date());
    return parameters;
}

void ReportsTab::cmdShowReport1_Click()
{
    showReport(m_mainReport, customerParameters());
}

void ReportsTab::cmdShowReport4_Click()
{
    showReport(m_routeReport, customerParameters());
}

void ReportsTab::cmdShowReport3_Click()
{
    showReport(m_incomeReport, rangeParameters("DTPicker5", "DTPicker6"));
}

void ReportsTab::cmdShowReport2_Click()
{
    showReport(m_expenseReport, rangeParameters("DTPicker3", "DTPicker4"));
}

// The connection is opened afresh for every run, so the report reads the
// tables as they are at the click. A report already open shows the new rows.
void ReportsTab::showReport(Report &report, const QVariantList &parameters)
{
    std::unique_ptr<DataEnvironment> &environment = *report.environment;
    if (!environment)
        environment = std::make_unique<DataEnvironment>(report.connectionString);
    environment->close();
    QString error;
    ReportRows rows;
    if (!environment->open(&error) || !environment->run(report.command, parameters, &rows, &error)) {
        environment->close();
        m_messages.show(window(), {QStringLiteral("The %1 could not be made.\n\n%2")
                                       .arg(report.definition.caption, error),
                                   MessageBox::applicationTitle(), QMessageBox::Ok,
                                   QMessageBox::Warning});
        return;
    }
    if (!report.window) {
        report.window = new frmReport(report.definition, m_messages, window());
        DataEnvironment *opened = environment.get();
        connect(report.window, &frmReport::closed, this, [opened] { opened->close(); });
    }
    report.window->showRows(rows, QDate::currentDate());
    report.window->show();
    report.window->raise();
    report.window->activateWindow();
}

void ReportsTab::closeConnections()
{
    for (const auto *environment : {&m_customers, &m_expense, &m_income})
        if (*environment)
            (*environment)->close();
}
