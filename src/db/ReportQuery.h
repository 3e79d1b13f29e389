#pragma once

#include "Database.h"
#include "ReportCommands.h"
#include "ReportRows.h"

#include <QFuture>
#include <QStringList>
#include <QVariantList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

class RowReader;

// A report's query, run by a worker with a read-only connection of its own,
// in one read transaction: the rows are counted first, then read and
// handed over in parts as they come, so that a report's first page can show
// while the rest is still being read. Its owner takes the rows as far as it
// needs them. Ending it before the last row stops the reading.
class ReportQuery
{
public:
    ReportQuery(const Database &database, const ReportCommand &command, const QVariantList &parameters);
    // Stops the reading and waits for the worker to let go.
    ~ReportQuery();
    ReportQuery(const ReportQuery &) = delete;
    ReportQuery &operator=(const ReportQuery &) = delete;

    // Waits until the rows are counted, then gives the columns and the count
    // with no rows yet.
    bool waitForCount(ReportRows *rows, QString *error);
    // Waits until there are at least `count` rows, or all there are, and
    // adds those read so far to `rows`.
    bool waitForRows(qsizetype count, ReportRows *rows, QString *error);

private:
    void read(const Database &database, const ReportCommand &command, const QVariantList &parameters);
    bool readRows(RowReader &reader, const ReportCommand &command, const QVariantList &parameters,
                  QString *error);
    bool readCount(RowReader &reader, const ReportCommand &command, const QVariantList &parameters,
                   QString *error);
    void handOver(RowBlock &part);
    void finish(bool failed, const QString &error);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Filled by the reading thread, under the mutex.
    QStringList m_columns;
    qint64 m_total = -1;
    std::vector<RowBlock> m_parts;
    qsizetype m_rowsInParts = 0;
    bool m_done = false;
    bool m_failed = false;
    QString m_error;
    std::atomic<bool> m_stop = false;
    QFuture<void> m_reading;
};
