#pragma once

#include <QGroupBox>

class AutoCompleteBox;
class DataControl;
class MessageBox;
class QLineEdit;

// One ledger panel, income or expense: the frame "fra<Table>" with its four
// boxes bound to the table's fields, the four record buttons and the data
// control over <Table>.mdb. The two panels differ only in the names below.
struct LedgerPanelLayout {
    QString table;          // "Income" or "Expense"
    QString suffix;         // "2" or "3", after the button names
    QString calendarButton; // "cmdMonthview2" or "cmdMonthView3"
    int buttonsTop;         // of the button row and the navigation bar
    int navigationWidth;
};

class LedgerPanel : public QGroupBox
{
    Q_OBJECT
public:
    LedgerPanel(const LedgerPanelLayout &layout, MessageBox &messages, QWidget *parent = nullptr);

    DataControl &entries() { return *m_data; }
    AutoCompleteBox &nameBox() { return *m_name; }

private:
    DataControl *m_data;
    AutoCompleteBox *m_name;
};
