#pragma once

#include "Connection.h"
#include "RecordFilter.h"
#include "TableRows.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <functional>
#include <vector>

// A static, client-side copy of the rows of a row source (a table name, or a
// query "SELECT * FROM <table> ..."), with a current row that the program
// moves and edits. Rows are stored by SQLite's rowid, which the caller never
// sees; an INTEGER PRIMARY KEY is that rowid and is never written.
// The copy lies in one block, row after row, so that a search runs through
// memory in order.
//
// Moving before the first row gives BOF and past the last EOF; an empty set
// gives both. A new row from addNew() is dropped by any move, filter,
// bookmark or refresh until update() stores it. A bookmark names a row for
// as long as the row is in the table, across refreshes too.
class Recordset : public QObject
{
    Q_OBJECT
public:
    using Bookmark = qint64;
    // A write that must commit together with a change of the rows: it runs
    // in the same transaction, after the change's statement.
    using AlongsideWrite = std::function<bool(QSqlDatabase &db, QString *error)>;

    Recordset(const QString &databasePath, const QString &rowSource);

    bool open(QString *error);
    // Lets go of the rows and the database; closing again does nothing.
    void close();
    QString dataSource() const { return m_connection.dataSource(); }

    // Reads the row source afresh; the filter is dropped and the first row is
    // current. When no other connection has changed the database since the
    // last reading, the copy already equals the table and only its order is read.
    bool refresh(QString *error);

    bool isEOF() const;
    bool isBOF() const;
    bool isNew() const;

    void addNew();
    // Stores the current row with the given field values; a new row gets its
    // key from the database. The row stays current.
    bool update(const QVariantHash &values, QString *error, const AlongsideWrite &alongside = {});
    // Removes the current row from the table at once. Until the next move
    // the current row is the deleted one and has no fields.
    bool deleteCurrent(QString *error, const AlongsideWrite &alongside = {});

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    Bookmark bookmark() const;
    bool setBookmark(Bookmark bookmark);

    void setFilter(const RecordFilter &filter);
    const RecordFilter &filter() const { return m_filter; }

    const QStringList &fieldNames() const { return m_fieldNames; }
    QVariant field(const QString &name) const;
    qsizetype visibleCount() const { return qsizetype(m_visible.size()); }

signals:
    void currentChanged();

private:
    struct Row {
        Bookmark bookmark = 0; // the rowid; for a row added since the last reading, below 0
        bool deleted = false;
        bool isNew = false;
    };

    bool load(QString *error);
    bool commitChange(const std::function<bool(QString *error)> &change,
                      const AlongsideWrite &alongside, QString *error);
    bool reuseCopy(QString *error);
    bool orderRows(QString *error);
    bool damaged(qsizetype counted, qsizetype read, QString *error) const;
    void rebuildVisible();
    void dropNewRow();
    qsizetype currentRow() const; // -1: none
    QVariant &cell(qsizetype row, qsizetype column) { return m_cells[row * m_columns.size() + column]; }
    const QVariant &cell(qsizetype row, qsizetype column) const
    {
        return m_cells[row * m_columns.size() + column];
    }
    qint64 rowidOf(qsizetype row) const { return cell(row, 0).toLongLong(); }
    void setPosition(qsizetype position);

    Connection m_connection;
    TableRows m_table{m_connection};
    QString m_rowSource;
    QStringList m_columns;    // every column read, the rowid first
    QStringList m_fieldNames; // the columns the caller sees
    QList<QVariant> m_cells;  // m_rows.size() rows of m_columns.size() cells
    std::vector<Row> m_rows;  // in the order read
    std::vector<qsizetype> m_order;
    std::vector<qsizetype> m_visible;
    qsizetype m_position = 0;
    bool m_onDeletedRow = false;
    RecordFilter m_filter;
    qint64 m_dataVersion = -1; // of the last reading; -1: none yet
    bool m_orderStale = false; // a row stored since then may belong elsewhere
    Bookmark m_lastNewBookmark = 0;
};
