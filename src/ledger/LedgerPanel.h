#pragma once

#include "LedgerPanelForm.h"
#include "RunningBalance.h"

#include <QGroupBox>
#include <QMessageBox>

class Clock;
class DataFolder;
class EntryStateMachine;
struct MessageBoxRequest;

// One ledger panel and its handlers. It browses, adds or edits. While it adds
// or edits, its navigation bar is off, so the entry on screen is always the
// one being added or edited and the balance can count it.
class LedgerPanel : public QGroupBox
{
    Q_OBJECT
public:
    LedgerPanel(const LedgerPanelLayout &layout, const DataFolder &folder, RunningBalance &balance,
                MessageBox &messages, const Clock &clock, QWidget *parent = nullptr);

    const LedgerPanelForm &form() const { return m_form; }
    // What the access keys press, when this panel has them (TwinPanelKeys).
    QList<QAbstractButton *> keyedButtons() const;
    DataControl &entries() { return *m_form.data; }
    AutoCompleteBox &nameBox() { return *m_form.name; }
    const EntryStateMachine &entry() const { return *m_entry; }
    // The Amount, Date and Invoice boxes take typing only while this panel
    // adds or edits: whenever either panel's mode is set, the other's are locked.
    void lockEntryBoxes();
    // Leaving the panel without Save (Exit, Refresh): an entry being added is
    // dropped, and one being edited puts its old amount back into the balance.
    void leaveEntry();

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdDelete_Click();

signals:
    void modeSet();

private:
    bool checkForSave();
    void abandon();
    void giveUpEntry();
    void storeEntry();
    QString committedWithoutEntry();
    // Commits a change with the balances it leads to, telling what went
    // wrong; `done` says what the change does to the entry ("stored").
    bool commit(const QString &shown, const QString &committed, const QString &done,
                const RunningBalance::Change &change);
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);
    QString storedAmountText();

    LedgerPanelLayout m_layout;
    QString m_noun; // "income" or "expense", in the messages
    RunningBalance &m_balance;
    MessageBox &m_messages;
    const Clock &m_clock;
    LedgerPanelForm m_form;
    EntryStateMachine *m_entry;
};
