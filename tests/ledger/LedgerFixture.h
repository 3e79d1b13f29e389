#pragma once

#include "Controls.h"
#include "DataControl.h"
#include "IncomeExpensesTab.h"
#include "LedgerPanel.h"
#include "RunningBalance.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"

// The Income and Expenses tab on a data folder, both panels open, shown and active.
struct LedgerFixture {
    TempDataFolder folder;
    std::unique_ptr<MessageBox> messages;
    std::unique_ptr<IncomeExpensesTab> tab;

    explicit LedgerFixture(std::unique_ptr<MessageBox> box = std::make_unique<ScriptedMessageBox>())
        : messages(std::move(box))
    {
        tab = std::make_unique<IncomeExpensesTab>(folder.folder(), *messages);
        tab->income().entries().open();
        tab->expense().entries().open();
        showActive(tab.get());
    }
    ScriptedMessageBox &script() { return static_cast<ScriptedMessageBox &>(*messages); }
    QLineEdit *box(const QString &name) const { return ::box(tab.get(), name); }
    void click(const QString &button) const { ::click(tab.get(), button); }
    // The balance as the box shows it.
    QString balance() const { return box(QStringLiteral("txtBalance"))->text(); }
    void setBalance(const QString &text) const { tab->balance().setText(text); }
    void navigate(const QString &table, const char *button) const
    {
        ::click(control(tab.get(), QStringLiteral("fra") + table), QString::fromLatin1(button));
    }
    // Types an entry into a panel's boxes: name, amount, date.
    void type(const QString &table, const QString &name, const QString &amount,
              const QString &date = QStringLiteral("1/2/2024")) const
    {
        box(QStringLiteral("txt%1Type").arg(table))->setText(name);
        box(QStringLiteral("txt%1Amount").arg(table))->setText(amount);
        box(QStringLiteral("txt%1Date").arg(table))->setText(date);
    }
    void insert(const QString &table, const QString &values) const
    {
        folder.execute(table + QStringLiteral(".mdb"),
                       QStringLiteral("INSERT INTO %1 VALUES %2").arg(table, values));
        (table == QLatin1String("Income") ? tab->income() : tab->expense()).entries().refresh();
    }
};
