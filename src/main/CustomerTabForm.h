#pragma once

#include <QList>

class DataControl;
class FormBuilder;
class MessageBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the "Customers" tab, at their places, bound to Adodc1.
// The handlers live in CustomerTab; this only builds.
struct CustomerTabForm {
    void build(QWidget *page, MessageBox &messages);

    // The twelve boxes that New and Edit unlock and Save locks, all together.
    QList<QLineEdit *> entryBoxes() const;

    DataControl *Adodc1 = nullptr;
    QLineEdit *txtAccountNumber = nullptr, *txtName = nullptr, *txtAddress = nullptr,
              *txtCity = nullptr, *txtState = nullptr, *txtZip = nullptr;
    QLineEdit *txtHome = nullptr, *txtCell = nullptr, *txtHisWork = nullptr, *txtHerWork = nullptr;
    QLineEdit *txtDateStarted = nullptr, *txtVisitAmount = nullptr, *txtMonthlyAmount = nullptr,
              *txtComments = nullptr, *txtSearch = nullptr;
    QComboBox *Combo1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QLabel *lblTotal = nullptr;
    QPushButton *cmdTotal = nullptr, *cmdMonthView = nullptr, *cmdAdd = nullptr, *cmdEdit = nullptr,
                *cmdSave = nullptr, *cmdDelete = nullptr, *cmdSearch = nullptr, *cmdClear = nullptr;
    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr;

private:
    void buildCustomerInfo(const FormBuilder &page);
    void buildPhoneNumbers(const FormBuilder &page);
    void buildDateStarted(const FormBuilder &page);
    void buildScheduleAndAmount(const FormBuilder &page);
    void buildComments(const FormBuilder &page);
    void buildRecordButtons(const FormBuilder &page);
    void buildSearch(const FormBuilder &page);
};
