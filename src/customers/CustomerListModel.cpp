#include "CustomerListModel.h"

#include <algorithm>

namespace {

const QStringList phoneFields = {QStringLiteral("Home"), QStringLiteral("Cell"),
                                 QStringLiteral("HisWork"), QStringLiteral("HerWork")};
const QStringList filterFields = QStringList{QStringLiteral("Name"), QStringLiteral("Address"),
                                             QStringLiteral("City")} +
                                 phoneFields;

} // namespace

CustomerListModel::CustomerListModel(Recordset &customers, QObject *parent)
    : QAbstractTableModel(parent), m_customers(customers)
{
    const struct {
        const char *title, *field;
        FieldFormat format;
    } columns[] = {{"Account", "Account", FieldFormat::Number},
                   {"Name", "Name", FieldFormat::Text},
                   {"Address", "Address", FieldFormat::Text},
                   {"City", "City", FieldFormat::Text},
                   {"Phone (Home)", "Home", FieldFormat::Text},
                   {"Schedule", "Schedule", FieldFormat::Text},
                   {"Amount per Visit", "AmountPerVisit", FieldFormat::Money},
                   {"Monthly Amount", "AmountMonthly", FieldFormat::Money},
                   {"Active", "Active", FieldFormat::Number},
                   {"Date Started", "DateStarted", FieldFormat::Date}};
    for (const auto &column : columns)
        m_columns.append({QString::fromLatin1(column.title),
                          m_customers.rows().columnOf(QString::fromLatin1(column.field)), column.format});
    connect(&m_customers, &Recordset::rowsChanged, this, &CustomerListModel::rebuild);
    rebuild();
}

// The tab's own order is by name.
bool CustomerListModel::inTabOrder() const
{
    return m_sortColumn < 0 || m_columns[m_sortColumn].title == QLatin1String("Name");
}

int CustomerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int CustomerListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CustomerListModel::data(const QModelIndex &index, int role) const
{
    const Column &column = m_columns[index.column()];
    if (role == Qt::TextAlignmentRole && column.format == FieldFormat::Money)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || column.field < 0)
        return {};
    const QVariant value = m_customers.rows().valueAt(m_lines[index.row()], column.field);
    if (column.title == QLatin1String("Active"))
        return value.toInt() != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
    return FieldText::display(value, column.format);
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return m_columns[section].title;
}

void CustomerListModel::rebuild()
{
    m_total = qsizetype(m_customers.rows().rowsMatching({}).size());
    showMatching();
}

void CustomerListModel::showMatching()
{
    beginResetModel();
    m_lines = m_customers.rows().rowsMatching({filterFields, m_filterText, true, phoneFields});
    sortLines();
    endResetModel();
    emit countsChanged();
}

void CustomerListModel::setFilterText(const QString &text)
{
    m_filterText = text;
    showMatching();
}

void CustomerListModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    showMatching();
}

// The lines come in the tab's order; a stable sort keeps it among equal values.
void CustomerListModel::sortLines()
{
    if (inTabOrder()) {
        if (m_sortOrder == Qt::DescendingOrder)
            std::reverse(m_lines.begin(), m_lines.end());
        return;
    }
    if (m_columns[m_sortColumn].field < 0)
        return;
    const qsizetype field = m_columns[m_sortColumn].field;
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    std::stable_sort(m_lines.begin(), m_lines.end(), [&](qsizetype a, qsizetype b) {
        return ascending ? m_customers.rows().lessAt(a, b, field) : m_customers.rows().lessAt(b, a, field);
    });
}
