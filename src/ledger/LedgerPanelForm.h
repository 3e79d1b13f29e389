#pragma once

#include <QString>

class AutoCompleteBox;
class Clock;
class DataControl;
class DataFolder;
class MessageBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Which ledger a panel keeps, where its controls stand, and how its entries
// move the balance.
struct LedgerPanelLayout {
    QString table;          // "Income" or "Expense"
    QString databaseFile;   // "Income.mdb" or "Expense.mdb"
    QString suffix;         // "2" or "3", after the button names
    QString calendarButton; // "cmdMonthview2" or "cmdMonthView3"
    int buttonsTop;         // of the button row and the navigation bar
    int navigationWidth;
    int sign;               // +1: a stored entry adds to the balance; -1: it takes away
    QString newInvoice;     // what New puts in the Invoice box
};

// The controls of one ledger panel, income or expense: the frame
// "fra<Table>" with its four boxes bound to the table's fields, the four
// record buttons and the data control over the table. The handlers live in
// LedgerPanel; this only builds.
struct LedgerPanelForm {
    void build(QGroupBox *frame, const LedgerPanelLayout &layout, const DataFolder &folder,
               MessageBox &messages, const Clock &clock);

    DataControl *data = nullptr;
    AutoCompleteBox *name = nullptr;
    QLineEdit *amount = nullptr, *date = nullptr, *invoice = nullptr;
    QPushButton *calendar = nullptr, *add = nullptr, *edit = nullptr, *save = nullptr, *remove = nullptr;
};
