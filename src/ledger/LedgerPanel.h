#pragma once

#include "LedgerPanelForm.h"

#include <QGroupBox>
#include <QMessageBox>

struct MessageBoxRequest;

// Which ledger a panel keeps, and how its entries move the balance.
struct LedgerPanelLayout {
    QString table;          // "Income" or "Expense"
    QString suffix;         // "2" or "3", after the button names
    QString calendarButton; // "cmdMonthview2" or "cmdMonthView3"
    int buttonsTop;         // of the button row and the navigation bar
    int navigationWidth;
    int sign;               // +1: a stored entry adds to the balance; -1: it takes away
    QString newInvoice;     // what New puts in the Invoice box
};

// One ledger panel and its handlers. It browses, adds or edits; the state is
// the enabled flags of its buttons and the read-only flags of its boxes.
// While it adds or edits, its navigation bar is off, so the entry on screen
// is always the one being added or edited and the balance can count it.
class LedgerPanel : public QGroupBox
{
    Q_OBJECT
public:
    LedgerPanel(const LedgerPanelLayout &layout, QLineEdit &balanceBox, MessageBox &messages,
                QWidget *parent = nullptr);
    void setOtherPanel(LedgerPanel *other) { m_other = other; }

    DataControl &entries() { return *m_form.data; }
    AutoCompleteBox &nameBox() { return *m_form.name; }

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdDelete_Click();

private:
    void enterAddingOrEditing();
    void enterBrowsing();
    void lockEntryBoxes(bool locked);
    bool isEditing();
    bool hasCurrentEntry();
    void guardEmptyPanel(bool disableDelete);
    bool checkForSave();
    void abandon();
    void storeEntry();
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);
    QString storedAmountText();

    LedgerPanelLayout m_layout;
    QString m_noun; // "income" or "expense", in the messages
    QLineEdit &m_balance;
    MessageBox &m_messages;
    LedgerPanel *m_other = nullptr;
    LedgerPanelForm m_form;
};
