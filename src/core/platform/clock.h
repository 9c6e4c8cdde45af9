#pragma once

#include <QDateTime>

namespace kazari
{

/// The time source of the program; tests substitute a fake clock.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual qint64 tickMs() const = 0;

    /// The process-wide clock (the system clock unless a test installed another).
    static Clock &instance();
    static void install(Clock *clock);
};

} // namespace kazari
