#include "ReportQuery.h"

#include "RowReader.h"

#include <QtConcurrent>

namespace {

// Small enough that the first page's rows come within milliseconds, large
// enough that handing over costs nothing beside the reading.
constexpr qsizetype partRows = 1000;

} // namespace

ReportQuery::ReportQuery(const Database &database, const ReportCommand &command,
                         const QVariantList &parameters)
    : m_reading(QtConcurrent::run([this, database, command, parameters] { read(database, command, parameters); }))
{
}

ReportQuery::~ReportQuery()
{
    m_stop = true;
    m_reading.waitForFinished();
}

void ReportQuery::read(const Database &database, const ReportCommand &command, const QVariantList &parameters)
{
    if (m_stop)
        return; // ended before the worker came to it
    const std::unique_ptr<RowReader> reader = database.engine->reader(database.name);
    QString error;
    const bool read = reader->inReadTransaction(
        [&](QString *error) { return readRows(*reader, command, parameters, error); }, &error);
    finish(!read, error);
}

// The count and the rows in one transaction, so that they agree.
bool ReportQuery::readRows(RowReader &reader, const ReportCommand &command, const QVariantList &parameters,
                           QString *error)
{
    if (!readCount(reader, command, parameters, error))
        return false;
    RowBlock part(m_columns.size());
    qint64 read = 0;
    RowReader::Step step = RowReader::Step::Row;
    while (!m_stop && (step = reader.step()) == RowReader::Step::Row) {
        reader.appendRow(&part);
        if (++read % partRows == 0)
            handOver(part);
    }
    handOver(part);
    if (m_stop)
        return true; // no one is waiting any more
    if (step != RowReader::Step::Done)
        return reader.failed(error);
    if (read != m_total) {
        *error = QStringLiteral("%1 rows were counted but %2 read.").arg(m_total).arg(read);
        return false;
    }
    return true;
}

// Leaves the rows' statement ready to step.
bool ReportQuery::readCount(RowReader &reader, const ReportCommand &command,
                            const QVariantList &parameters, QString *error)
{
    qint64 total = 0;
    if (!reader.number(command.count, parameters, &total, error) ||
        !reader.prepare(command.rows, parameters, error))
        return false;
    const std::lock_guard lock(m_mutex);
    m_columns = reader.columnNames();
    m_total = total;
    m_changed.notify_all();
    return true;
}

void ReportQuery::handOver(RowBlock &part)
{
    RowBlock next(part.columns());
    std::swap(part, next);
    const std::lock_guard lock(m_mutex);
    m_rowsInParts += next.rows();
    m_parts.push_back(std::move(next));
    m_changed.notify_all();
}

void ReportQuery::finish(bool failed, const QString &error)
{
    const std::lock_guard lock(m_mutex);
    m_failed = failed;
    m_error = error;
    m_done = true;
    m_changed.notify_all();
}

bool ReportQuery::waitForCount(ReportRows *rows, QString *error)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_total >= 0 || m_done; });
    if (m_total < 0) {
        *error = m_error;
        return false;
    }
    rows->columns = m_columns;
    rows->total = m_total;
    rows->cells = RowBlock(m_columns.size());
    rows->cells.reserve(m_total, 0);
    return true;
}

bool ReportQuery::waitForRows(qsizetype count, ReportRows *rows, QString *error)
{
    std::vector<RowBlock> parts;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_done || rows->cells.rows() + m_rowsInParts >= count; });
        std::swap(parts, m_parts);
        m_rowsInParts = 0;
        if (m_failed) {
            *error = m_error;
            return false;
        }
    }
    for (const RowBlock &part : parts)
        rows->cells.appendRows(part);
    return true;
}
