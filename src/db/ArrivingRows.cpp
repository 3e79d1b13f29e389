#include "ArrivingRows.h"

#include <QtConcurrent>
#include <utility>

ArrivingRows::ArrivingRows(TakeIn takeIn) : m_takeIn(std::move(takeIn))
{
    QObject::connect(&m_arrival, &QFutureWatcher<Reading>::finished, [this] { rows(); });
}

ArrivingRows::~ArrivingRows()
{
    forget();
}

void ArrivingRows::expect(QThreadPool *pool, std::function<Reading()> read)
{
    forget();
    m_coming = QtConcurrent::run(pool, std::move(read));
    m_isComing = true;
    m_arrival.setFuture(m_coming);
}

void ArrivingRows::forget()
{
    if (!m_isComing)
        return;
    m_coming.waitForFinished();
    m_isComing = false;
    m_arrival.setFuture(QFuture<Reading>());
}

RowCopy &ArrivingRows::rows()
{
    if (!m_isComing)
        return m_rows;
    m_isComing = false;
    Reading reading = m_coming.takeResult();
    m_takeIn(reading, m_rows);
    return m_rows;
}
