#pragma once

#include <QWidget>

class LedgerPanel;
class MessageBox;
class QLineEdit;
class QPushButton;

// The "Income and Expenses" tab: the two ledger panels and the balance row.
class IncomeExpensesTab : public QWidget
{
    Q_OBJECT
public:
    IncomeExpensesTab(MessageBox &messages, QWidget *parent = nullptr);

    LedgerPanel &income() { return *m_income; }
    LedgerPanel &expense() { return *m_expense; }
    QLineEdit &balanceBox() { return *m_balance; }
    QPushButton &calculatorButton() { return *m_calculator; }

private:
    LedgerPanel *m_income;
    LedgerPanel *m_expense;
    QLineEdit *m_balance;
    QPushButton *m_calculator;
};
