#pragma once

#include "Connection.h"
#include "RecordFilter.h"
#include "RowBlock.h"
#include "TableRows.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <functional>
#include <memory>
#include <vector>

class TextMatch;

class QThread;
struct TableCopy;

// A static, client-side copy of the rows of a row source (a table name, or a
// query "SELECT * FROM <table> ..."), with a current row that the program
// moves and edits. Rows are stored by SQLite's rowid, which the caller never
// sees; an INTEGER PRIMARY KEY is that rowid and is never written.
// The copy lies in one block, row after row, so that a search runs through
// memory in order.
//
// The rows may be read on a worker thread while the window is already shown
// (openInBackground); every use of the recordset then first waits for them,
// so that no step ever sees a part of the rows.
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

    Recordset(const Database &database, const QString &rowSource);
    ~Recordset() override;

    bool open(QString *error);
    // Opens the database here and reads the rows on a worker thread. False
    // when the database cannot be opened; a failed reading of the rows is
    // told by readFailed, after which the recordset is closed.
    bool openInBackground(QString *error);
    // Waits for rows being read in the background and takes them in.
    void waitForRows() const;
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

    const QStringList &fieldNames() const
    {
        waitForRows();
        return m_fieldNames;
    }
    QVariant field(const QString &name) const;
    qsizetype visibleCount() const
    {
        waitForRows();
        return qsizetype(m_visible.size());
    }

    // The stored rows, for a view of all of them beside the current row: a
    // row is named by its place in the copy, which holds until rowsChanged.
    // They come in the row source's order, those that match the filter.
    std::vector<qsizetype> rowsMatching(const RecordFilter &filter) const;
    qsizetype columnOf(const QString &field) const; // -1: no such field
    QVariant valueAt(qsizetype row, qsizetype column) const;
    bool lessAt(qsizetype row, qsizetype other, qsizetype column) const;
    Bookmark bookmarkAt(qsizetype row) const { return m_rows[row].bookmark; }

signals:
    void currentChanged();
    // Rows were read, stored or deleted: places in the copy may have changed.
    void rowsChanged();
    void readFailed(const QString &error);

private:
    struct Row {
        Bookmark bookmark = 0; // the rowid; for a row added since the last reading, below 0
        bool deleted = false;
        bool isNew = false;
    };

    struct Reading;

    QList<qsizetype> columnsOf(const QStringList &fields) const;
    bool cellHolds(const TextMatch &match, qsizetype row, qsizetype column) const;
    QByteArray digitsOf(qsizetype row, qsizetype column) const;
    bool load(QString *error);
    bool take(TableCopy &copy, QString *error);
    void takeReadRows();
    void dropRows();
    bool commitChange(const std::function<bool(QString *error)> &change,
                      const AlongsideWrite &alongside, QString *error);
    bool reuseCopy(QString *error);
    bool orderRows(const std::vector<qint64> &rowids, QString *error);
    bool damaged(qsizetype counted, qsizetype read, QString *error) const;
    void rebuildVisible();
    void dropNewRow();
    qsizetype currentRow() const; // -1: none
    qint64 rowidOf(qsizetype row) const { return m_cells.integer(row, 0); }
    void setPosition(qsizetype position);

    Database m_database;
    Connection m_connection;
    TableRows m_table{m_connection};
    QString m_rowSource;
    QStringList m_columns;    // every column read, the rowid first
    QStringList m_fieldNames; // the columns the caller sees
    RowBlock m_cells;         // m_rows.size() rows of m_columns.size() cells
    std::vector<Row> m_rows;  // in the order read
    std::vector<qsizetype> m_order;
    std::vector<qsizetype> m_visible;
    qsizetype m_position = 0;
    bool m_onDeletedRow = false;
    RecordFilter m_filter;
    qint64 m_dataVersion = -1; // of the last reading; -1: none yet
    bool m_orderStale = false; // a row stored since then may belong elsewhere
    Bookmark m_lastNewBookmark = 0;
    std::unique_ptr<QThread> m_reader; // while rows are read in the background
    std::shared_ptr<Reading> m_reading;
};
