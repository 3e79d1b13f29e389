#include "LedgerPanel.h"

#include "AutoCompleteBox.h"
#include "Balance.h"
#include "CapitalisingKeys.h"
#include "Clock.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "EntryStateMachine.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "RecordKeys.h"
#include "RunningBalance.h"

#include <QLineEdit>
#include <QPushButton>

LedgerPanel::LedgerPanel(const LedgerPanelLayout &layout, const DataFolder &folder,
                         RunningBalance &balance, MessageBox &messages, const Clock &clock,
                         QWidget *parent)
    : QGroupBox(parent), m_layout(layout), m_noun(layout.table.toLower()), m_balance(balance),
      m_messages(messages), m_clock(clock)
{
    m_form.build(this, layout, folder, messages, clock);
    (new CapitalisingKeys(this))->watch(m_form.name);
    m_entry = new EntryStateMachine({m_form.data,
                                     m_form.add,
                                     m_form.edit,
                                     m_form.save,
                                     m_form.remove,
                                     {m_form.amount, m_form.date, m_form.invoice},
                                     {m_form.data},
                                     {},
                                     m_form.name},
                                    messages, this);
    connect(m_entry, &EntryStateMachine::modeSet, this, &LedgerPanel::modeSet);
    // The panel opens browsing: nothing to save, the entry's boxes locked.
    m_entry->setMode(EntryMode::Browsing);

    connect(m_form.add, &QPushButton::clicked, this, &LedgerPanel::cmdAdd_Click);
    connect(m_form.edit, &QPushButton::clicked, this, &LedgerPanel::cmdEdit_Click);
    connect(m_form.save, &QPushButton::clicked, this, &LedgerPanel::cmdSave_Click);
    connect(m_form.remove, &QPushButton::clicked, this, &LedgerPanel::cmdDelete_Click);
    // The twin panel repeats every caption, so each answers its keys alone.
    new RecordKeys(this, entries(), [this] { giveUpEntry(); });
}

QList<QAbstractButton *> LedgerPanel::keyedButtons() const
{
    return {m_form.add, m_form.edit, m_form.save, m_form.remove, m_form.calendar};
}

QMessageBox::StandardButton LedgerPanel::ask(const MessageBoxRequest &request)
{
    return m_messages.show(window(), request);
}

void LedgerPanel::lockEntryBoxes()
{
    for (QLineEdit *box : {m_form.amount, m_form.date, m_form.invoice})
        box->setReadOnly(true);
}

// The amount of the current entry as stored, as the Amount box showed it
// when Edit took it out of the balance.
QString LedgerPanel::storedAmountText()
{
    return FieldText::display(entries().recordset().field(m_layout.table + QStringLiteral("Amount")),
                              FieldFormat::Money);
}

void LedgerPanel::cmdAdd_Click()
{
    m_entry->addNew();
    if (!m_layout.newInvoice.isEmpty())
        m_form.invoice->setText(m_layout.newInvoice);
    m_entry->focusHome();
}

void LedgerPanel::cmdEdit_Click()
{
    // The old amount leaves the balance now; Save puts the new one in.
    if (m_entry->edit())
        m_balance.step(m_form.amount->text(), -m_layout.sign);
    m_entry->focusHome();
}

// Cancel at the empty-name prompt: the entry as stored comes back, and an
// edited entry's amount goes back into the balance that Edit took it from.
void LedgerPanel::abandon()
{
    if (m_entry->mode() == EntryMode::Editing)
        m_balance.step(storedAmountText(), m_layout.sign);
    m_entry->abandon();
}

bool LedgerPanel::checkForSave()
{
    if (m_form.name->text().isEmpty()) {
        const auto answer = ask({QStringLiteral("You need to enter a name for the %1!").arg(m_noun),
                                 QStringLiteral("Empty Name"), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::NoIcon, QMessageBox::Ok});
        if (answer == QMessageBox::Ok)
            m_entry->keepEntering();
        else
            abandon();
        m_entry->focusHome();
        return false;
    }
    // The amount must be a number as the balance reads it, so that the table
    // and the balance count it alike.
    const auto amount = NumberText::readPlain(m_form.amount->text());
    if (!amount) {
        ask({QStringLiteral("You need to enter an amount for this %1!").arg(m_noun),
             QStringLiteral("Invalid Amount")});
        m_form.amount->setFocus();
        return false;
    }
    if (!NumberText::isMoney(*amount)) {
        ask({NumberText::moneyRule(), QStringLiteral("Invalid Amount")});
        m_form.amount->setFocus();
        return false;
    }
    if (!DateText::fromShort(m_form.date->text(), m_clock.today())) {
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
    m_entry->focusHome();
}

// The committed balance without the entry on screen: an entry being edited
// still counts in it with its stored amount.
QString LedgerPanel::committedWithoutEntry()
{
    if (m_entry->mode() != EntryMode::Editing)
        return m_balance.committed();
    return Balance::afterStep(m_balance.committed(), storedAmountText(), -m_layout.sign);
}

// The entry and the balance it leads to are committed together.
void LedgerPanel::storeEntry()
{
    m_form.name->rememberCurrentText();
    const QString amount = m_form.amount->text();
    commit(m_balance.afterStep(amount, m_layout.sign),
           Balance::afterStep(committedWithoutEntry(), amount, m_layout.sign), QStringLiteral("stored"),
           [this](const Recordset::AlongsideWrite &note) { return m_entry->store(note); });
}

bool LedgerPanel::commit(const QString &shown, const QString &committed, const QString &done,
                         const RunningBalance::Change &change)
{
    QString error;
    switch (m_balance.commit(shown, committed, change, &error)) {
    case RunningBalance::Outcome::Done:
        return true;
    case RunningBalance::Outcome::Refused:
        return false;
    case RunningBalance::Outcome::NotStaged:
        ask({QStringLiteral("The balance could not be saved in %1: %2\n\nThe entry was not %3.")
                 .arg(DataFiles::balance, error, done),
             MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return false;
    case RunningBalance::Outcome::FileBehind:
        ask({QStringLiteral("The entry was %1, but %2 could not be written: %3\n\nThe program "
                            "writes the new balance into it at the next start.")
                 .arg(done, DataFiles::balance, error),
             MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return true;
    }
    return false;
}

void LedgerPanel::cmdDelete_Click()
{
    const MessageBoxRequest question{
        QStringLiteral("Are you sure you want to delete this %1? The information cannot be restored!!")
            .arg(m_noun),
        QStringLiteral("Delete File?"), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
        QMessageBox::Cancel};
    const EntryMode mode = m_entry->mode();
    const auto remove = [&](const Recordset::AlongsideWrite &note) {
        return m_entry->remove(question, note);
    };
    // An entry being added was never stored or counted; one being edited is
    // out of the box's balance already; a browsed entry takes its amount out here.
    const QString amount = m_form.amount->text();
    bool deleted = false;
    if (mode == EntryMode::Adding)
        deleted = m_entry->remove(question);
    else if (mode == EntryMode::Editing)
        deleted = commit(m_balance.text(), committedWithoutEntry(), QStringLiteral("deleted"), remove);
    else
        deleted = commit(m_balance.afterStep(amount, -m_layout.sign),
                         Balance::afterStep(m_balance.committed(), amount, -m_layout.sign),
                         QStringLiteral("deleted"), remove);
    if (deleted && mode != EntryMode::Browsing)
        m_entry->setMode(EntryMode::Browsing);
    m_entry->focusHome();
}

// Esc gives the entry up as Cancel at the empty-name prompt does.
void LedgerPanel::giveUpEntry()
{
    if (!m_entry->isEntering())
        return;
    abandon();
    m_entry->focusHome();
}

void LedgerPanel::leaveEntry()
{
    if (m_entry->isEntering())
        abandon();
}
