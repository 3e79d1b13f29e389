#pragma once

#include "FieldText.h"
#include "Recordset.h"

#include <QAbstractTableModel>
#include <QList>
#include <vector>

// Every stored customer as one line of a table, read from the rows the
// Customers tab already holds: the model keeps only which rows it shows and
// in what order. It follows every change of those rows.
class CustomerListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CustomerListModel(Recordset &customers, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Narrows the lines to the customers whose name, address, city or phones
    // hold every word of the text, in any order; a number is found in a
    // phone however either is written ("8135550113", "(813) 555-0113").
    void setFilterText(const QString &text);
    qsizetype totalCount() const { return m_total; }
    Recordset::Bookmark bookmarkAt(int line) const { return m_customers.rows().bookmarkAt(m_lines[line]); }

signals:
    void countsChanged();

private:
    struct Column {
        QString title;
        qsizetype field; // the recordset's column
        FieldFormat format;
    };

    void rebuild();
    void showMatching();
    bool inTabOrder() const;
    void sortLines();

    Recordset &m_customers;
    QList<Column> m_columns;
    std::vector<qsizetype> m_lines; // rows of the recordset, as shown
    qsizetype m_total = 0;
    QString m_filterText;
    int m_sortColumn = -1; // -1: the tab's own order, by name
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
