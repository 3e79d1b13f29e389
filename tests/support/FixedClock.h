#pragma once

#include "Clock.h"

// A clock that stands still where the test sets it, so that the program's
// "today" never depends on the day the suite runs.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(const QDateTime &now = QDateTime(QDate(2026, 12, 6), QTime(10, 15)))
        : m_now(now)
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};
