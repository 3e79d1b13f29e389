#pragma once

#include "Recordset.h"

#include <QWidget>

class CustomerListModel;
class QLabel;
class QLineEdit;
class QTableView;

// "Customer List": every customer in one table beside the Customers tab,
// narrowed as the user types, sorted by any column. Enter or a double-click
// asks for the customer to be shown on the tab.
class frmCustomerList : public QWidget
{
    Q_OBJECT
public:
    explicit frmCustomerList(Recordset &customers, QWidget *parent = nullptr);

signals:
    void customerChosen(Recordset::Bookmark customer);

private:
    void showCounts();
    void choose(const QModelIndex &index);

    CustomerListModel *m_model;
    QLineEdit *m_filter;
    QLabel *m_counts;
    QTableView *m_list;
};
