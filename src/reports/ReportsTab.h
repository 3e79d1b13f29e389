#pragma once

#include "DataEnvironment.h"
#include "ReportDefinition.h"

#include <QPointer>
#include <QVariantList>
#include <QWidget>
#include <memory>

class Clock;
class DataFolder;
class FormBuilder;
class MessageBox;
class QDateEdit;
class QPushButton;
class QRadioButton;
class frmReport;

// The "Reports" tab: date ranges and the Active choice for the customer
// reports, date ranges for the income and expense reports, and the buttons
// that show them.
class ReportsTab : public QWidget
{
    Q_OBJECT
public:
    ReportsTab(const DataFolder &folder, MessageBox &messages, const Clock &clock,
               QWidget *parent = nullptr);

    // The customer reports start from 1 January 1980, the ledger reports
    // from 1 January 2004; every range ends today.
    void setStartingDates();

    QPushButton &calculatorButton() { return *m_calculator; }

    void cmdShowReport1_Click();
    void cmdShowReport2_Click();
    void cmdShowReport3_Click();
    void cmdShowReport4_Click();

    // Closes whichever report connections are open.
    void closeConnections();

private:
    // A "Starting Date:" and "Ending Date:" pair of pickers.
    struct DateRange {
        QDateEdit *from = nullptr, *to = nullptr;
    };
    struct Report {
        std::unique_ptr<DataEnvironment> *environment;
        Database database;
        ReportCommand command;
        ReportDefinition definition;
        QPointer<frmReport> window;
    };

    void buildCustomerReports();
    void buildFinanceReports();
    QVariantList customerParameters() const;
    static DateRange addDateRange(const FormBuilder &in, const QString &startPicker,
                                  const QString &endPicker);
    static QVariantList rangeParameters(const DateRange &range);
    bool rangeIsSound(const DateRange &range, const Report &report);
    void showReport(Report &report, const QVariantList &parameters);

    MessageBox &m_messages;
    const Clock &m_clock;
    DateRange m_customersRange, m_incomeRange, m_expenseRange;
    QRadioButton *m_activeOnly = nullptr, *m_inactiveOnly = nullptr;
    QPushButton *m_mainReportButton = nullptr, *m_routeReportButton = nullptr;
    QPushButton *m_incomeReportButton = nullptr, *m_expenseReportButton = nullptr;
    QPushButton *m_calculator = nullptr;
    // Created on first use and kept: the customer and route reports share one.
    std::unique_ptr<DataEnvironment> m_customers, m_expense, m_income;
    Report m_mainReport, m_routeReport, m_incomeReport, m_expenseReport;
};
