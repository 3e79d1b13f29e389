#include "frmCustomerList.h"

#include "CloseKeys.h"
#include "CustomerListModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

frmCustomerList::frmCustomerList(Recordset &customers, QWidget *parent)
    : QWidget(parent, Qt::Window), m_model(new CustomerListModel(customers, this)),
      m_filter(new QLineEdit), m_counts(new QLabel), m_list(new QTableView)
{
    setObjectName(QStringLiteral("frmCustomerList"));
    setWindowTitle(QStringLiteral("Customer List"));
    m_filter->setObjectName(QStringLiteral("txtListFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Type words of a name, an address, a city or a phone number"));
    m_counts->setObjectName(QStringLiteral("lblListCount"));
    m_list->setObjectName(QStringLiteral("lstCustomers"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    // One line per customer, and room for the long columns.
    m_list->setWordWrap(false);
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->horizontalHeader()->resizeSection(1, 200);
    m_list->horizontalHeader()->resizeSection(2, 180);
    m_list->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder); // by name, as the tab
    m_list->setSortingEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_counts);
    layout->addWidget(m_list);
    resize(1100, 560);
    addCloseKeys(this);

    connect(m_filter, &QLineEdit::textChanged, m_model, &CustomerListModel::setFilterText);
    connect(m_model, &CustomerListModel::countsChanged, this, &frmCustomerList::showCounts);
    connect(m_list, &QTableView::activated, this, &frmCustomerList::choose);
    connect(m_list, &QTableView::doubleClicked, this, &frmCustomerList::choose);
    // Enter in the filter box takes the line the list has, or its first.
    connect(m_filter, &QLineEdit::returnPressed, this, [this] {
        const QModelIndex current = m_list->currentIndex();
        choose(current.isValid() ? current : m_model->index(0, 0));
    });
    showCounts();
}

void frmCustomerList::showCounts()
{
    m_counts->setText(QStringLiteral("%1 of %2 customers").arg(m_model->rowCount()).arg(m_model->totalCount()));
}

void frmCustomerList::choose(const QModelIndex &index)
{
    if (index.isValid())
        emit customerChosen(m_model->bookmarkAt(index.row()));
}
