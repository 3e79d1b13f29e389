#pragma once

#include "RecordFilter.h"
#include "RowBlock.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class TextMatch;
struct TableCopy;

// The copy of a row source's rows that a recordset moves through and edits.
// Every cell lies in one block, row after row, so that a search runs through
// memory in order; beside it, the rows' order as the row source gives it.
// A row is named by its place in the block, which holds until the next
// reading; column 0 holds the row's id in the table, which is no field.
class RowCopy
{
public:
    using Bookmark = qint64;
    struct Row {
        Bookmark bookmark = 0; // the row id; for a row added since the last reading, below 0
        bool deleted = false;
        bool isNew = false;
    };

    // Takes the rows of a reading. ordered: the row source gives an order,
    // which the reading holds. False when the table is damaged; the names
    // are those its message gives.
    bool take(TableCopy &copy, bool ordered, const QString &dataSource, const QString &table,
              QString *error);
    // The rows as the row source now orders them, by their ids.
    bool reorder(const std::vector<qint64> &rowids, QString *error);
    // The same while other desks change the table: a row that the order and
    // the copy do not both hold yet is on its way to the copy, or out of it.
    void followOrder(const std::vector<qint64> &rowids);
    // Rows stored since the reading are named by their ids from now on.
    void nameStoredRows();

    const QStringList &fieldNames() const { return m_fieldNames; }
    const QStringList &columns() const { return m_columns; }
    qsizetype columnOf(const QString &field) const { return m_columns.indexOf(field); } // -1: none
    const Row &row(qsizetype row) const { return m_rows[std::size_t(row)]; }
    qint64 rowidOf(qsizetype row) const { return m_cells.integer(row, 0); }
    // The stored row of the id; -1: none.
    qsizetype rowOf(qint64 rowid) const;
    QVariant valueAt(qsizetype row, qsizetype column) const { return m_cells.value(row, column); }
    bool lessAt(qsizetype row, qsizetype other, qsizetype column) const
    {
        return m_cells.compare(row, other, column) < 0;
    }
    Bookmark bookmarkAt(qsizetype row) const { return m_rows[std::size_t(row)].bookmark; }
    // The stored rows, in the row source's order, those that match the filter.
    std::vector<qsizetype> rowsMatching(const RecordFilter &filter) const;

    // A new row at the end, empty, with the given bookmark; its place.
    qsizetype addNew(Bookmark bookmark);
    // Drops the row addNew gave, when it is still the last.
    bool dropNew();
    void store(qsizetype row, const QList<QVariant> &values);
    void markDeleted(qsizetype row) { m_rows[std::size_t(row)].deleted = true; }

private:
    qsizetype placeInOrder(const std::vector<qint64> &rowids);
    QList<qsizetype> columnsOf(const QStringList &fields) const;
    bool cellHolds(const TextMatch &match, qsizetype row, qsizetype column) const;
    QByteArray digitsOf(qsizetype row, qsizetype column) const;
    bool damaged(qsizetype counted, qsizetype read, QString *error) const;

    QString m_dataSource, m_table;
    bool m_ordered = false;
    QStringList m_columns;    // every column read, the row id first
    QStringList m_fieldNames; // the columns the caller sees
    RowBlock m_cells;         // m_rows.size() rows of m_columns.size() cells
    std::vector<Row> m_rows;  // in the order read
    std::vector<qsizetype> m_order;
};
