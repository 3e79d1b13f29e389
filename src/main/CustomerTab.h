#pragma once

#include "CustomerTabForm.h"

#include <QMessageBox>
#include <QWidget>

class MessageBox;
struct MessageBoxRequest;

// The "Customers" tab and its handlers: adding, editing, saving and deleting
// customers, the search and the count. The tab's state (browse, entry) is
// nothing but the enabled and read-only flags of its controls.
class CustomerTab : public QWidget
{
    Q_OBJECT
public:
    explicit CustomerTab(MessageBox &messages, QWidget *parent = nullptr);

    DataControl &customers() { return *m_form.Adodc1; }

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdSearch_Click();
    void cmdClear_Click();
    void cmdTotal_Click();

private:
    void enterEntryState();
    void enterBrowseState();
    bool hasCurrentRecord();
    void guardEmptyTable(bool disableDelete);
    bool checkForSave();
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);
    void tellEmptyFile(const QString &text);

    MessageBox &m_messages;
    CustomerTabForm m_form;
};
