#pragma once

#include "DataFolder.h"

#include <QPointer>
#include <QWidget>

class Clock;
class LedgerPanel;
class MessageBox;
class QLineEdit;
class QPushButton;
class RunningBalance;
class frmChangePassword;
class frmLogin;

// The "Income and Expenses" tab: the two ledger panels and the balance row.
class IncomeExpensesTab : public QWidget
{
    Q_OBJECT
public:
    IncomeExpensesTab(const DataFolder &folder, MessageBox &messages, const Clock &clock,
                      QWidget *parent = nullptr);

    LedgerPanel &income() { return *m_income; }
    LedgerPanel &expense() { return *m_expense; }
    RunningBalance &balance() { return *m_balance; }
    QPushButton &calculatorButton() { return *m_calculator; }

    void cmdSetBalance_Click();
    // Before Exit or Refresh: no entry stays half-entered, and no edit keeps
    // its old amount out of the balance.
    void leaveEntries();

private:
    void setBalance(const QString &text);
    void showChangePassword();

    DataFolder m_folder;
    MessageBox &m_messages;
    RunningBalance *m_balance;
    QLineEdit *m_balanceBox;
    LedgerPanel *m_income;
    LedgerPanel *m_expense;
    QPushButton *m_calculator;
    // One sign-in window and one change-password dialog at a time.
    QPointer<frmLogin> m_login;
    QPointer<frmChangePassword> m_changePassword;
};
