#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <functional>

namespace kazari::bench
{

/// The best of `runs` timings of `work`, in milliseconds: the least disturbed run.
inline double bestMs(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace kazari::bench
