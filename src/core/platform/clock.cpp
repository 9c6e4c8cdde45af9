#include "core/platform/clock.h"

#include <QElapsedTimer>

namespace kazari
{

namespace
{

class SystemClock : public Clock
{
public:
    SystemClock() { m_timer.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 tickMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

Clock *g_installed = nullptr;

} // namespace

Clock &Clock::instance()
{
    static SystemClock system;
    return g_installed ? *g_installed : system;
}

void Clock::install(Clock *clock)
{
    g_installed = clock;
}

} // namespace kazari
