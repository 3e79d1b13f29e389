#pragma once

#include <QWidget>

class DataControl;
class MessageBox;

// The "Customers" tab: the customer card bound to Adodc1, the record
// buttons, the count and the search panel.
class CustomerTab : public QWidget
{
    Q_OBJECT
public:
    CustomerTab(MessageBox &messages, QWidget *parent = nullptr);

    DataControl &customers() { return *m_adodc1; }

private:
    void buildCustomerInfo();
    void buildPhoneNumbers();
    void buildDateStarted();
    void buildScheduleAndAmount();
    void buildComments();
    void buildRecordButtons();
    void buildSearch();

    DataControl *m_adodc1 = nullptr;
};
