#pragma once

#include <QString>

class AutoCompleteBox;
class DataControl;
class MessageBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The controls of one ledger panel, income or expense: the frame
// "fra<Table>" with its four boxes bound to the table's fields, the four
// record buttons and the data control over <Table>.mdb. The handlers live in
// LedgerPanel; this only builds.
struct LedgerPanelForm {
    void build(QGroupBox *frame, const QString &table, const QString &suffix,
               const QString &calendarButton, int buttonsTop, int navigationWidth,
               MessageBox &messages);

    DataControl *data = nullptr;
    AutoCompleteBox *name = nullptr;
    QLineEdit *amount = nullptr, *date = nullptr, *invoice = nullptr;
    QPushButton *add = nullptr, *edit = nullptr, *save = nullptr, *remove = nullptr;
};
