#include "IncomeExpensesTab.h"

#include "FormBuilder.h"
#include "LedgerPanel.h"
#include "TabPage.h"

#include <QLineEdit>
#include <QPushButton>

IncomeExpensesTab::IncomeExpensesTab(MessageBox &messages, QWidget *parent) : QWidget(parent)
{
    const FormBuilder page(this, TabPage::topOffset);
    m_income = new LedgerPanel({QStringLiteral("Income"), QStringLiteral("2"),
                                QStringLiteral("cmdMonthview2"), 1800, 1935},
                               messages);
    page.place(m_income, 240, 780, 7155, 2295);
    m_expense = new LedgerPanel({QStringLiteral("Expense"), QStringLiteral("3"),
                                 QStringLiteral("cmdMonthView3"), 1920, 2055},
                                messages);
    page.place(m_expense, 240, 3120, 7155, 2475);

    page.label(QStringLiteral("Balance:  $"), 240, 6090, 900);
    m_balance = page.textBox(QStringLiteral("txtBalance"), 1140, 6060, 1500);
    m_balance->setReadOnly(true);
    page.button(QStringLiteral("cmdSetBalance"), QStringLiteral("Set"), 2700, 6045, 600, 330);
    m_calculator = page.button(QStringLiteral("cmdCalculator1"), QStringLiteral("Calculator"), 6240,
                               6045, 1155, 330);
}
