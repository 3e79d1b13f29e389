#pragma once

#include "RowCopy.h"
#include "TableReader.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QString>
#include <functional>

// The rows of a recordset, handed over once and as a whole. A worker reads
// a copy of the table; the rows are reached only through rows(), which takes
// in a reading on its way first, waiting for it if need be. A reading that
// ends is taken in by itself too, on the owner's thread.
class ArrivingRows
{
public:
    struct Reading {
        TableCopy copy;
        bool ok = false;
        QString error;
    };
    // Makes a reading the owner's: into the rows, or tells why it failed.
    using TakeIn = std::function<void(Reading &reading, RowCopy &rows)>;

    explicit ArrivingRows(TakeIn takeIn);
    ~ArrivingRows();
    ArrivingRows(const ArrivingRows &) = delete;
    ArrivingRows &operator=(const ArrivingRows &) = delete;

    // Has a worker of the pool run `read`; the rows are those of the reading
    // once it is taken in.
    void expect(QThreadPool *pool, std::function<Reading()> read);
    // Waits for a reading on its way and drops it.
    void forget();
    RowCopy &rows();

private:
    TakeIn m_takeIn;
    QFuture<Reading> m_coming;
    bool m_isComing = false;
    QFutureWatcher<Reading> m_arrival;
    RowCopy m_rows;
};
