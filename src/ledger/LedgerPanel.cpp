#include "LedgerPanel.h"

#include "AutoCompleteBox.h"
#include "Balance.h"
#include "CapitalisingKeys.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DateText.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "SideFile.h"

#include <QLineEdit>
#include <QPushButton>

LedgerPanel::LedgerPanel(const LedgerPanelLayout &layout, QLineEdit &balanceBox,
                         MessageBox &messages, QWidget *parent)
    : QGroupBox(parent), m_layout(layout), m_noun(layout.table.toLower()), m_balance(balanceBox),
      m_messages(messages)
{
    m_form.build(this, layout.table, layout.suffix, layout.calendarButton, layout.buttonsTop,
                 layout.navigationWidth, messages);
    (new CapitalisingKeys(this))->watch(m_form.name);
    // The panel opens browsing: nothing to save, the entry's boxes locked.
    m_form.save->setEnabled(false);
    lockEntryBoxes(true);

    connect(m_form.add, &QPushButton::clicked, this, &LedgerPanel::cmdAdd_Click);
    connect(m_form.edit, &QPushButton::clicked, this, &LedgerPanel::cmdEdit_Click);
    connect(m_form.save, &QPushButton::clicked, this, &LedgerPanel::cmdSave_Click);
    connect(m_form.remove, &QPushButton::clicked, this, &LedgerPanel::cmdDelete_Click);
}

QMessageBox::StandardButton LedgerPanel::ask(const MessageBoxRequest &request)
{
    return m_messages.show(window(), request);
}

void LedgerPanel::lockEntryBoxes(bool locked)
{
    for (QLineEdit *box : {m_form.amount, m_form.date, m_form.invoice})
        box->setReadOnly(locked);
}

void LedgerPanel::enterAddingOrEditing()
{
    m_form.add->setEnabled(false);
    m_form.save->setEnabled(true);
    m_form.edit->setEnabled(false);
    lockEntryBoxes(false);
    m_other->lockEntryBoxes(true);
    m_form.data->setEnabled(false);
}

void LedgerPanel::enterBrowsing()
{
    m_form.add->setEnabled(true);
    m_form.save->setEnabled(false);
    m_form.edit->setEnabled(true);
    lockEntryBoxes(true);
    m_other->lockEntryBoxes(true);
    m_form.data->setEnabled(true);
}

bool LedgerPanel::hasCurrentEntry()
{
    const Recordset &records = entries().recordset();
    return !records.isEOF() && !records.isBOF();
}

// Editing: a stored entry is open for change and its old amount is out of the balance.
bool LedgerPanel::isEditing()
{
    return m_form.save->isEnabled() && hasCurrentEntry() && !entries().recordset().isNew();
}

// The amount of the current entry as stored, as the Amount box showed it
// when Edit took it out of the balance.
QString LedgerPanel::storedAmountText()
{
    return FieldText::display(entries().recordset().field(m_layout.table + QStringLiteral("Amount")),
                              FieldFormat::Money);
}

// Edit or Delete with no entry to act on: only New is left to press.
void LedgerPanel::guardEmptyPanel(bool disableDelete)
{
    ask({QStringLiteral("You must add a record."), QStringLiteral("Empty file"), QMessageBox::Ok,
         QMessageBox::Information});
    m_form.add->setEnabled(true);
    if (disableDelete)
        m_form.remove->setEnabled(false);
    m_form.save->setEnabled(false);
    m_form.edit->setEnabled(false);
    m_form.name->setFocus();
}

void LedgerPanel::cmdAdd_Click()
{
    enterAddingOrEditing();
    entries().refresh();
    entries().recordset().addNew();
    if (!m_layout.newInvoice.isEmpty())
        m_form.invoice->setText(m_layout.newInvoice);
    m_form.name->setFocus();
}

void LedgerPanel::cmdEdit_Click()
{
    if (!hasCurrentEntry()) {
        guardEmptyPanel(false);
        return;
    }
    const auto answer = ask({QStringLiteral("Are you sure you want to edit this file?"),
                             QStringLiteral("Edit File?"), QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::NoIcon, QMessageBox::Cancel});
    if (answer == QMessageBox::Ok) {
        enterAddingOrEditing();
        // The old amount leaves the balance now; Save puts the new one in.
        m_balance.setText(Balance::afterStep(m_balance.text(), m_form.amount->text(), -m_layout.sign));
    }
    m_form.name->setFocus();
}

// Cancel at the empty-name prompt: the entry as stored comes back, and an
// edited entry's amount goes back into the balance that Edit took it from.
void LedgerPanel::abandon()
{
    if (isEditing())
        m_balance.setText(Balance::afterStep(m_balance.text(), storedAmountText(), m_layout.sign));
    enterBrowsing();
    entries().refresh();
}

bool LedgerPanel::checkForSave()
{
    if (m_form.name->text().isEmpty()) {
        const auto answer = ask({QStringLiteral("You need to enter a name for the %1!").arg(m_noun),
                                 QStringLiteral("Empty Name"), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::NoIcon, QMessageBox::Ok});
        if (answer == QMessageBox::Ok)
            enterAddingOrEditing();
        else
            abandon();
        m_form.name->setFocus();
        return false;
    }
    // The amount must be a number as the balance reads it, so that the table
    // and the balance count it alike.
    if (!NumberText::readPlain(m_form.amount->text())) {
        ask({QStringLiteral("You need to enter an amount for this %1!").arg(m_noun),
             QStringLiteral("Invalid Amount")});
        m_form.amount->setFocus();
        return false;
    }
    if (!DateText::fromShort(m_form.date->text())) {
        ask({QStringLiteral("You need to enter a valid date for this %1!").arg(m_noun),
             QStringLiteral("Invalid Date")});
        m_form.date->setFocus();
        return false;
    }
    return true;
}

void LedgerPanel::cmdSave_Click()
{
    if (!checkForSave())
        return;
    storeEntry();
    m_form.name->setFocus();
}

// The balance file is written before the entry is stored, and put back if the
// entry is refused, so that the file, the box and the table never disagree.
void LedgerPanel::storeEntry()
{
    const QString before = m_balance.text();
    const QString after = Balance::afterStep(before, m_form.amount->text(), m_layout.sign);
    QString error;
    if (!SideFile::write(DataFiles::balance, Balance::fileText(after), &error)) {
        ask({QStringLiteral("The balance could not be saved in %1: %2\n\nThe entry was not stored.")
                 .arg(DataFiles::balance, error),
             MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return;
    }
    m_form.name->rememberCurrentText();
    Recordset &records = entries().recordset();
    const Recordset::Bookmark mark = records.bookmark();
    if (!entries().update()) {
        SideFile::write(DataFiles::balance, Balance::fileText(before), &error);
        return;
    }
    records.setBookmark(mark);
    enterBrowsing();
    // Delete may have been disabled by an empty table; a stored entry is
    // something to delete again.
    m_form.remove->setEnabled(true);
    m_balance.setText(after);
}

void LedgerPanel::cmdDelete_Click()
{
    if (!hasCurrentEntry()) {
        guardEmptyPanel(true);
        return;
    }
    const auto answer = ask({QStringLiteral("Are you sure you want to delete this %1? The "
                                            "information cannot be restored!!")
                                 .arg(m_noun),
                             QStringLiteral("Delete File?"), QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::NoIcon, QMessageBox::Cancel});
    if (answer != QMessageBox::Ok) {
        m_form.name->setFocus();
        return;
    }
    // An entry being added was never counted, and one being edited is out of
    // the balance already; only a browsed entry takes its amount out here.
    const bool addingOrEditing = m_form.save->isEnabled();
    const QString after = addingOrEditing ? m_balance.text()
                                          : Balance::afterStep(m_balance.text(),
                                                               m_form.amount->text(), -m_layout.sign);
    if (entries().deleteCurrent()) {
        m_balance.setText(after);
        if (addingOrEditing)
            enterBrowsing();
        Recordset &records = entries().recordset();
        records.movePrevious();
        if (records.isBOF())
            records.moveNext();
    }
    m_form.name->setFocus();
}
