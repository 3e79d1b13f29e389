#include "IncomeExpensesTab.h"

#include "FormBuilder.h"
#include "LedgerPanel.h"
#include "TabPage.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QLineEdit>
#include <QPushButton>

IncomeExpensesTab::IncomeExpensesTab(MessageBox &messages, QWidget *parent)
    : QWidget(parent), m_messages(messages)
{
    const FormBuilder page(this, TabPage::topOffset);
    // The balance box is made first: both panels move it. It comes last in
    // the tab order all the same, as it stands below them.
    m_balance = new QLineEdit;
    m_balance->setObjectName(QStringLiteral("txtBalance"));
    m_balance->setReadOnly(true);
    m_income = new LedgerPanel({QStringLiteral("Income"), QStringLiteral("2"),
                                QStringLiteral("cmdMonthview2"), 1800, 1935, +1,
                                QStringLiteral("Deposit")},
                               *m_balance, messages);
    page.place(m_income, 240, 780, 7155, 2295);
    m_expense = new LedgerPanel({QStringLiteral("Expense"), QStringLiteral("3"),
                                 QStringLiteral("cmdMonthView3"), 1920, 2055, -1, QString()},
                                *m_balance, messages);
    page.place(m_expense, 240, 3120, 7155, 2475);
    m_income->setOtherPanel(m_expense);
    m_expense->setOtherPanel(m_income);

    page.label(QStringLiteral("Balance:  $"), 240, 6090, 900);
    page.place(m_balance, 1140, 6060, 1500, 285);
    auto *set = page.button(QStringLiteral("cmdSetBalance"), QStringLiteral("Set"), 2700, 6045, 600, 330);
    m_calculator = page.button(QStringLiteral("cmdCalculator1"), QStringLiteral("Calculator"), 6240,
                               6045, 1155, 330);
    connect(set, &QPushButton::clicked, this, &IncomeExpensesTab::cmdSetBalance_Click);
}

void IncomeExpensesTab::cmdSetBalance_Click()
{
    if (m_login) {
        m_login->raise();
        m_login->activateWindow();
        return;
    }
    m_login = frmLogin::load(*m_balance, m_messages, window());
    if (!m_login)
        return;
    connect(m_login, &frmLogin::changePasswordRequested, this,
            &IncomeExpensesTab::showChangePassword);
    m_login->show();
}

void IncomeExpensesTab::showChangePassword()
{
    if (m_changePassword) {
        m_changePassword->raise();
        m_changePassword->activateWindow();
        return;
    }
    m_changePassword = frmChangePassword::load(m_messages, window());
    if (m_changePassword)
        m_changePassword->show();
}
