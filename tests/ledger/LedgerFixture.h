#pragma once

#include "DataControl.h"
#include "DataFiles.h"
#include "IncomeExpensesTab.h"
#include "LedgerPanel.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>

// The Income and Expenses tab on a data folder, both panels open, shown and
// active so that focus moves can be seen.
struct LedgerFixture {
    TempDataFolder folder;
    std::unique_ptr<MessageBox> messages;
    std::unique_ptr<IncomeExpensesTab> tab;

    explicit LedgerFixture(std::unique_ptr<MessageBox> box = std::make_unique<ScriptedMessageBox>())
        : messages(std::move(box))
    {
        tab = std::make_unique<IncomeExpensesTab>(*messages);
        tab->income().entries().open();
        tab->expense().entries().open();
        tab->show();
        QApplication::setActiveWindow(tab.get());
    }
    ScriptedMessageBox &script() { return static_cast<ScriptedMessageBox &>(*messages); }
    QLineEdit *box(const QString &name) const { return tab->findChild<QLineEdit *>(name); }
    QPushButton *button(const QString &name) const { return tab->findChild<QPushButton *>(name); }
    QString balance() const { return box(QStringLiteral("txtBalance"))->text(); }
    void setBalance(const QString &text) const { box(QStringLiteral("txtBalance"))->setText(text); }
    void navigate(const QString &table, const char *button) const
    {
        tab->findChild<QWidget *>(QStringLiteral("fra") + table)
            ->findChild<QToolButton *>(QString::fromLatin1(button))
            ->click();
    }
    // Types an entry into a panel's boxes: name, amount, date.
    void type(const QString &table, const QString &name, const QString &amount,
              const QString &date = QStringLiteral("1/2/2024")) const
    {
        box(QStringLiteral("txt%1Type").arg(table))->setText(name);
        box(QStringLiteral("txt%1Amount").arg(table))->setText(amount);
        box(QStringLiteral("txt%1Date").arg(table))->setText(date);
    }
    // The sum of a table's stored amounts, read through a connection of its own.
    double storedSum(const QString &table) const
    {
        Recordset rows(DataFiles::connectionString(table + QStringLiteral(".mdb")), table);
        QString error;
        rows.open(&error);
        double sum = 0;
        for (rows.moveFirst(); !rows.isEOF(); rows.moveNext())
            sum += rows.field(table + QStringLiteral("Amount")).toDouble();
        return sum;
    }
    int storedCount(const QString &table) const
    {
        Recordset rows(DataFiles::connectionString(table + QStringLiteral(".mdb")), table);
        QString error;
        rows.open(&error);
        return int(rows.visibleCount());
    }
};
