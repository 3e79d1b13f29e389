#pragma once

#include <QDate>
#include <QDateTime>

// Where the program reads today's date and the time of day: the machine's
// clock while it runs, a fixed one in tests, so that whatever depends on the
// day can be checked on any day. Everything that needs the date is handed one.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local time.
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The machine's clock.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
};
