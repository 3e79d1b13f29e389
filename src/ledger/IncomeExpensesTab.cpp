#include "IncomeExpensesTab.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "FormBuilder.h"
#include "LedgerPanel.h"
#include "MessageBox.h"
#include "RunningBalance.h"
#include "ShowInFront.h"
#include "TabPage.h"
#include "TwinPanelKeys.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QLineEdit>
#include <QPushButton>

IncomeExpensesTab::IncomeExpensesTab(const DataFolder &folder, MessageBox &messages,
                                     const Clock &clock, QWidget *parent)
    : QWidget(parent), m_folder(folder), m_messages(messages),
      m_balance(new RunningBalance(folder, clock, this))
{
    const FormBuilder page(this, TabPage::topOffset);
    m_income = new LedgerPanel({QStringLiteral("Income"), DataFiles::income, QStringLiteral("2"),
                                QStringLiteral("cmdMonthview2"), 1800, 1935, +1,
                                QStringLiteral("Deposit")},
                               folder, *m_balance, messages, clock);
    page.place(m_income, 240, 780, 7155, 2295);
    m_expense = new LedgerPanel({QStringLiteral("Expense"), DataFiles::expense, QStringLiteral("3"),
                                 QStringLiteral("cmdMonthView3"), 1920, 2055, -1, QString()},
                                folder, *m_balance, messages, clock);
    page.place(m_expense, 240, 3120, 7155, 2475);
    // New, Edit, Save and Delete are one set of keys for the two panels.
    new TwinPanelKeys(this, {{m_income, m_income->keyedButtons()}, {m_expense, m_expense->keyedButtons()}});
    connect(m_income, &LedgerPanel::modeSet, m_expense, &LedgerPanel::lockEntryBoxes);
    connect(m_expense, &LedgerPanel::modeSet, m_income, &LedgerPanel::lockEntryBoxes);

    page.label(QStringLiteral("Balance:  $"), 240, 6090, 900);
    m_balanceBox = page.textBox(QStringLiteral("txtBalance"), 1140, 6060, 1500);
    m_balanceBox->setReadOnly(true);
    connect(m_balance, &RunningBalance::changed, m_balanceBox, &QLineEdit::setText);
    auto *set = page.button(QStringLiteral("cmdSetBalance"), QStringLiteral("Se&t"), 2700, 6045, 600, 330);
    m_calculator = page.button(QStringLiteral("cmdCalculator1"), QStringLiteral("Calculator"), 6240,
                               6045, 1155, 330);
    connect(set, &QPushButton::clicked, this, &IncomeExpensesTab::cmdSetBalance_Click);
}

void IncomeExpensesTab::cmdSetBalance_Click()
{
    if (!m_login) {
        m_login = frmLogin::load(m_folder, m_messages, window());
        if (!m_login)
            return;
        connect(m_login, &frmLogin::balanceSet, this, &IncomeExpensesTab::setBalance);
        connect(m_login, &frmLogin::changePasswordRequested, this,
                &IncomeExpensesTab::showChangePassword);
    }
    showInFront(m_login);
}

void IncomeExpensesTab::setBalance(const QString &text)
{
    QString error;
    if (!m_balance->set(text, &error))
        m_messages.show(window(), {QStringLiteral("The balance could not be saved in %1: %2\n\nThe "
                                                  "balance was not set.")
                                       .arg(DataFiles::balance, error),
                                   MessageBox::applicationTitle(), QMessageBox::Ok,
                                   QMessageBox::Warning});
}

void IncomeExpensesTab::leaveEntries()
{
    m_income->leaveEntry();
    m_expense->leaveEntry();
}

void IncomeExpensesTab::showChangePassword()
{
    if (!m_changePassword) {
        m_changePassword = frmChangePassword::load(m_folder, m_messages, window());
        if (!m_changePassword)
            return;
    }
    showInFront(m_changePassword);
}
