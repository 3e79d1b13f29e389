#pragma once

#include <QList>

class Clock;
class DataControl;
class DataFolder;
class FormBuilder;
class MessageBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the "Customers" tab, at their places, bound to the customers table.
// The handlers live in CustomerTab; this only builds.
struct CustomerTabForm {
    void build(QWidget *page, const DataFolder &folder, MessageBox &messages, const Clock &clock);

    // The twelve boxes that New and Edit unlock and Save locks, all together.
    QList<QLineEdit *> entryBoxes() const;

    DataControl *customers = nullptr;
    QLineEdit *accountNumber = nullptr, *name = nullptr, *address = nullptr,
              *city = nullptr, *state = nullptr, *zip = nullptr;
    QLineEdit *home = nullptr, *cell = nullptr, *hisWork = nullptr, *herWork = nullptr;
    QLineEdit *dateStarted = nullptr, *visitAmount = nullptr, *monthlyAmount = nullptr,
              *comments = nullptr, *searchText = nullptr;
    QComboBox *schedule = nullptr;
    QCheckBox *active = nullptr;
    QLabel *total = nullptr;
    QPushButton *totalButton = nullptr, *calendar = nullptr, *add = nullptr, *edit = nullptr,
                *save = nullptr, *remove = nullptr, *search = nullptr, *clear = nullptr;
    QRadioButton *byName = nullptr, *byAddress = nullptr, *byPhone = nullptr;

private:
    void buildCustomerInfo(const FormBuilder &page);
    void buildPhoneNumbers(const FormBuilder &page);
    void buildDateStarted(const FormBuilder &page);
    void buildScheduleAndAmount(const FormBuilder &page);
    void buildComments(const FormBuilder &page);
    void buildRecordButtons(const FormBuilder &page);
    void buildSearch(const FormBuilder &page);
};
