#pragma once

#include "Clock.h"

// A clock that stands still where the test sets it, so that the program's
// "today" never depends on the day the suite runs. It starts years away from
// any day the suite runs on, so that a part that reads the machine's clock
// instead shows.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(const QDateTime &now = QDateTime(QDate(2031, 2, 3), QTime(10, 15)))
        : m_now(now)
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};
