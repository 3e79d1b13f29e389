#pragma once

#include "ArrivingRows.h"
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
// moves and edits. Rows are stored by the engine's row id, which the caller
// never sees; an INTEGER PRIMARY KEY is that row id and is never written.
//
// The rows may be read by a worker while the window is already shown
// (openInBackground). They are handed over once, as a whole: the copy is
// reached only through rows(), which takes in rows on their way first, so
// that no step ever sees a part of them.
//
// Moving before the first row gives BOF and past the last EOF; an empty set
// gives both. A new row from addNew() is dropped by any move, filter,
// bookmark or refresh until update() stores it. A bookmark names a row for
// as long as the row is in the table, across refreshes too.
class Recordset : public QObject
{
    Q_OBJECT
public:
    using Bookmark = RowCopy::Bookmark;
    // A write that must commit together with a change of the rows: it runs
    // in the same transaction, after the change's statement.
    using AlongsideWrite = std::function<bool(QSqlDatabase &db, QString *error)>;

    Recordset(const Database &database, const QString &rowSource);
    ~Recordset() override;

    bool open(QString *error);
    // Opens the database here and has a worker read the rows. False when
    // the database cannot be opened; a failed reading of the rows is told by
    // readFailed, after which the recordset is closed.
    bool openInBackground(QString *error);
    // Lets go of the rows and the database; closing again does nothing.
    void close();
    QString dataSource() const { return m_connection.dataSource(); }

    // Reads the row source afresh; the filter is dropped and the first row is
    // current. When no other connection has changed the database since the
    // last reading, the copy already equals the table and only its order is read.
    bool refresh(QString *error);
    // Shows the rows of these ids as another desk left them (stored, changed
    // or removed), reading only them and the order again; with no ids, reads
    // the row source afresh. The filter and the current row stay (the first
    // row is current when that row went).
    bool follow(const QList<qint64> &rowids, QString *error);

    bool isEOF() const;
    bool isBOF() const;
    bool isNew() const;

    void addNew();
    // Stores the current row with the given field values; a new row gets its
    // key from the database. The row stays current. A row that another desk
    // or program changed or deleted since it was read is not stored, and
    // shows as the table now holds it.
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

    const QStringList &fieldNames() const { return rows().fieldNames(); }
    QVariant field(const QString &name) const;
    qsizetype visibleCount() const { return qsizetype(visible().size()); }

    // The copy of the stored rows, for a view of all of them beside the
    // current row; waits for rows on their way. A row is named by its place
    // in the copy, which holds until rowsChanged.
    const RowCopy &rows() const;

signals:
    void currentChanged();
    // Rows were read, stored or deleted: places in the copy may have changed.
    void rowsChanged();
    void readFailed(const QString &error);

private:
    RowCopy &copy() { return m_rows.rows(); }
    const std::vector<qsizetype> &visible() const;
    void takeIn(ArrivingRows::Reading &reading, RowCopy &rows);
    bool load(QString *error);
    void dropRows();
    bool commitChange(const std::function<bool(QString *error)> &change, const qint64 &rowid,
                      const AlongsideWrite &alongside, QString *error);
    bool followRow(qint64 rowid, bool *changed, QString *error);
    bool reuseCopy(QString *error);
    TableRows::RowAsRead asRead(qsizetype row);
    void showAsItIs(qsizetype row);
    void rebuildVisible();
    void dropNewRow();
    qsizetype currentRow() const; // -1: none
    void setPosition(qsizetype position);

    Database m_database;
    Connection m_connection;
    TableRows m_table{m_connection};
    QString m_rowSource;
    mutable ArrivingRows m_rows{[this](ArrivingRows::Reading &reading, RowCopy &rows) { takeIn(reading, rows); }};
    std::vector<qsizetype> m_visible;
    qsizetype m_position = 0;
    bool m_onDeletedRow = false;
    RecordFilter m_filter;
    qint64 m_dataVersion = -1; // of the last reading; -1: none yet
    bool m_orderStale = false; // a row stored since then may belong elsewhere
    Bookmark m_lastNewBookmark = 0;
};
