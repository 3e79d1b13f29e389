#pragma once

#include <QWidget>

class QDate;
class QPushButton;

// The "Reports" tab: date ranges and the Active choice for the customer
// reports, date ranges for the income and expense reports.
class ReportsTab : public QWidget
{
    Q_OBJECT
public:
    explicit ReportsTab(QWidget *parent = nullptr);

    // The customer reports start from 1 January 1980, the ledger reports
    // from 1 January 2004; every range ends today.
    void setStartingDates(const QDate &today);

    QPushButton &calculatorButton() { return *m_calculator; }

private:
    void buildCustomerReports();
    void buildFinanceReports();

    QPushButton *m_calculator = nullptr;
};
