#pragma once

#include "CustomerTabForm.h"
#include "Recordset.h"

#include <QMessageBox>
#include <QWidget>

class Clock;
class DataFolder;
class EntryStateMachine;
class MessageBox;
struct MessageBoxRequest;

// The "Customers" tab and its handlers: adding, editing, saving and deleting
// customers, the search and the count.
class CustomerTab : public QWidget
{
    Q_OBJECT
public:
    CustomerTab(const DataFolder &folder, MessageBox &messages, const Clock &clock,
                QWidget *parent = nullptr);

    const CustomerTabForm &form() const { return m_form; }
    DataControl &customers() { return *m_form.customers; }
    const EntryStateMachine &entry() const { return *m_entry; }

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdSearch_Click();
    void cmdClear_Click();
    void cmdTotal_Click();

    // Before the shown customer is left: changes that are not stored are
    // saved or dropped, as the user says. False when Save refused them; the
    // customer stays shown.
    bool leaveRecord();
    // Makes a customer the shown one, as the customer list asks; a search
    // that hides the customer is cleared. Refused while a customer is being
    // added or edited.
    bool showCustomer(Recordset::Bookmark customer);
    // Before the files are replaced: a customer being added or edited is
    // left unsaved, and the tab browses.
    void leaveEntry();

private:
    void giveUpEntry();
    void addKeys();
    bool checkForSave();
    bool save();
    void tellCommentsCut();
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);

    Database m_customers;
    MessageBox &m_messages;
    const Clock &m_clock;
    CustomerTabForm m_form;
    EntryStateMachine *m_entry;
};
