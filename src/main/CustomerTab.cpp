#include "CustomerTab.h"

#include "CapitalisingKeys.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DateText.h"
#include "HighestAccount.h"
#include "MessageBox.h"
#include "MonthlyAmount.h"
#include "NumberText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

CustomerTab::CustomerTab(MessageBox &messages, QWidget *parent)
    : QWidget(parent), m_messages(messages)
{
    m_form.build(this, messages);
    auto *capitalising = new CapitalisingKeys(this);
    for (QLineEdit *box : {m_form.txtName, m_form.txtAddress, m_form.txtCity, m_form.txtState,
                           m_form.txtComments})
        capitalising->watch(box);

    connect(m_form.cmdAdd, &QPushButton::clicked, this, &CustomerTab::cmdAdd_Click);
    connect(m_form.cmdEdit, &QPushButton::clicked, this, &CustomerTab::cmdEdit_Click);
    connect(m_form.cmdSave, &QPushButton::clicked, this, &CustomerTab::cmdSave_Click);
    connect(m_form.cmdDelete, &QPushButton::clicked, this, &CustomerTab::cmdDelete_Click);
    connect(m_form.cmdSearch, &QPushButton::clicked, this, &CustomerTab::cmdSearch_Click);
    connect(m_form.cmdClear, &QPushButton::clicked, this, &CustomerTab::cmdClear_Click);
    connect(m_form.cmdTotal, &QPushButton::clicked, this, &CustomerTab::cmdTotal_Click);
}

QMessageBox::StandardButton CustomerTab::ask(const MessageBoxRequest &request)
{
    return m_messages.show(window(), request);
}

void CustomerTab::tellEmptyFile(const QString &text)
{
    ask({text, QStringLiteral("Empty file"), QMessageBox::Ok, QMessageBox::Information});
}

void CustomerTab::enterEntryState()
{
    m_form.cmdAdd->setEnabled(false);
    m_form.cmdSave->setEnabled(true);
    m_form.cmdEdit->setEnabled(false);
    m_form.cmdSearch->setEnabled(false);
    m_form.cmdClear->setEnabled(false);
    for (QLineEdit *box : m_form.entryBoxes())
        box->setReadOnly(false);
}

void CustomerTab::enterBrowseState()
{
    m_form.cmdAdd->setEnabled(true);
    m_form.cmdSave->setEnabled(false);
    m_form.cmdEdit->setEnabled(true);
    m_form.cmdSearch->setEnabled(true);
    m_form.cmdClear->setEnabled(true);
    for (QLineEdit *box : m_form.entryBoxes())
        box->setReadOnly(true);
}

bool CustomerTab::hasCurrentRecord()
{
    const Recordset &records = customers().recordset();
    return !records.isEOF() && !records.isBOF();
}

void CustomerTab::guardEmptyTable(bool disableDelete)
{
    tellEmptyFile(QStringLiteral("You must add a record."));
    m_form.cmdAdd->setEnabled(true);
    if (disableDelete)
        m_form.cmdDelete->setEnabled(false);
    m_form.cmdSave->setEnabled(false);
    m_form.cmdEdit->setEnabled(false);
    m_form.cmdSearch->setEnabled(false);
    m_form.cmdClear->setEnabled(false);
    m_form.txtName->setFocus();
}

void CustomerTab::cmdAdd_Click()
{
    const bool hadCurrentRecord = hasCurrentRecord();
    enterEntryState();
    customers().refresh();
    customers().recordset().addNew();
    if (hadCurrentRecord) {
        m_form.txtDateStarted->setText(DateText::toShort(QDate::currentDate()));
        m_form.txtState->setText(QStringLiteral("Florida"));
    }
    m_form.txtName->setFocus();
}

void CustomerTab::cmdEdit_Click()
{
    if (!hasCurrentRecord()) {
        guardEmptyTable(false);
        return;
    }
    const auto answer = ask({QStringLiteral("Are you sure you want to edit this file?"),
                             QStringLiteral("Edit File?"), QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::NoIcon, QMessageBox::Cancel});
    if (answer == QMessageBox::Ok)
        enterEntryState();
    m_form.txtName->setFocus();
}

// The checks of Save, in their order; false when one failed and was told.
bool CustomerTab::checkForSave()
{
    if (m_form.txtName->text().isEmpty()) {
        const auto answer = ask({QStringLiteral("You need to enter a name!"),
                                 QStringLiteral("Empty Name"), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::NoIcon, QMessageBox::Ok});
        if (answer == QMessageBox::Ok) {
            enterEntryState();
        } else {
            enterBrowseState();
            customers().refresh();
        }
        m_form.txtName->setFocus();
        return false;
    }
    const struct {
        bool failed;
        const char *text, *title;
        QWidget *box;
    } checks[] = {
        {!DateText::fromShort(m_form.txtDateStarted->text()), "You need to enter a start date!",
         "Invalid Start Date", m_form.txtDateStarted},
        {m_form.Combo1->currentText().isEmpty(), "You need to enter a schedule!", "Invalid Schedule",
         m_form.Combo1},
        {m_form.txtVisitAmount->text().isEmpty(), "You need to enter an amount per visit!",
         "Invalid Visit Amount", m_form.txtVisitAmount},
    };
    for (const auto &check : checks) {
        if (check.failed) {
            ask({QString::fromLatin1(check.text), QString::fromLatin1(check.title)});
            check.box->setFocus();
            return false;
        }
    }
    return true;
}

void CustomerTab::cmdSave_Click()
{
    if (!checkForSave())
        return;
    const auto monthly = MonthlyAmount::of(m_form.txtVisitAmount->text(), m_form.Combo1->currentText());
    m_form.txtMonthlyAmount->setText(monthly ? NumberText::shortest(*monthly) : QString());
    Recordset &records = customers().recordset();
    const Recordset::Bookmark mark = records.bookmark();
    // A refused record stays on screen as typed, the tab still in entry.
    if (!customers().update())
        return;
    records.setBookmark(mark);
    enterBrowseState();
    // Delete may have been disabled by an empty table; a stored customer is
    // something to delete again.
    m_form.cmdDelete->setEnabled(true);
    m_form.txtName->setFocus();
}

void CustomerTab::cmdDelete_Click()
{
    if (!hasCurrentRecord()) {
        guardEmptyTable(true);
        return;
    }
    const auto answer = ask({QStringLiteral("Are you sure you want to delete this account? The "
                                            "account cannot be restored!!"),
                             QStringLiteral("Delete File?"), QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::NoIcon, QMessageBox::Cancel});
    if (answer == QMessageBox::Ok && customers().deleteCurrent()) {
        Recordset &records = customers().recordset();
        records.movePrevious();
        if (records.isBOF())
            records.moveNext();
    }
    m_form.txtName->setFocus();
}

void CustomerTab::cmdSearch_Click()
{
    m_form.cmdAdd->setEnabled(false);
    if (!hasCurrentRecord()) {
        guardEmptyTable(true);
        return;
    }
    Recordset &records = customers().recordset();
    const Recordset::Bookmark shown = records.bookmark();
    const QString text = m_form.txtSearch->text();
    if (text.isEmpty()) {
        ask({QStringLiteral("You must type something in the search box."),
             QStringLiteral("No Search Criteria!"), QMessageBox::Ok, QMessageBox::Information});
        m_form.txtSearch->setFocus();
        return;
    }
    customers().refresh();
    // The text is matched as typed, letter case aside; no character of it
    // has a meaning of its own.
    const struct {
        QRadioButton *option;
        QStringList fields;
    } choices[] = {
        {m_form.Option1, {QStringLiteral("Name")}},
        {m_form.Option2, {QStringLiteral("Address")}},
        {m_form.Option3, {QStringLiteral("Home"), QStringLiteral("Cell"), QStringLiteral("HisWork"),
                          QStringLiteral("HerWork")}},
    };
    for (const auto &choice : choices) {
        if (!choice.option->isChecked())
            continue;
        records.moveFirst();
        records.setFilter({choice.fields, text});
        if (records.isEOF()) {
            ask({QStringLiteral("No results found in search!"), QStringLiteral("No File Found!"),
                 QMessageBox::Ok, QMessageBox::Information});
            records.setFilter({});
            records.setBookmark(shown);
        }
    }
    m_form.txtName->setFocus();
}

void CustomerTab::cmdClear_Click()
{
    customers().recordset().setFilter({});
    m_form.txtSearch->clear();
    m_form.cmdAdd->setEnabled(true);
    m_form.txtSearch->setFocus();
}

void CustomerTab::cmdTotal_Click()
{
    const HighestAccount highest = HighestAccount::read(
        QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=Customers.mdb;"));
    if (!highest.ok) {
        ask({QStringLiteral("The customers could not be counted.\n\n%1").arg(highest.error),
             MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
    } else if (!highest.account) {
        tellEmptyFile(QStringLiteral("No records on file."));
    } else {
        m_form.lblTotal->setText(QString::number(*highest.account));
    }
}
