#pragma once

#include "core/platform/clock.h"

namespace kazari::test
{

/// A clock that stands still until the test moves it; installs itself while it lives.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(9, 0)))
        : m_now(std::move(start))
    {
        Clock::install(this);
    }
    ~FakeClock() override { Clock::install(nullptr); }
    QDateTime now() const override { return m_now; }
    qint64 tickMs() const override { return m_tick; }
    void advanceMs(qint64 ms)
    {
        m_tick += ms;
        m_now = m_now.addMSecs(ms);
    }
    void set(const QDateTime &t) { m_now = t; }

private:
    QDateTime m_now;
    qint64 m_tick = 0;
};

} // namespace kazari::test
