#include "ReportsTab.h"

#include "FormBuilder.h"
#include "TabPage.h"

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

ReportsTab::ReportsTab(QWidget *parent) : QWidget(parent)
{
    buildCustomerReports();
    buildFinanceReports();
    const FormBuilder page(this, TabPage::topOffset);
    m_calculator = page.button(QStringLiteral("cmdCalculator2"), QStringLiteral("Calculator"), 6360,
                               6000, 1155, 345);
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
