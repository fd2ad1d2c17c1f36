#pragma once

#include <QElapsedTimer>

#include <functional>

// Mean wall time of one run of work in milliseconds, over the given rounds after one warm-up run
// (which fills the statement caches and the font and page caches).
inline double Milliseconds(int rounds, const std::function<void()> &work)
{
    work();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i)
        work();
    return double(clock.nsecsElapsed()) / 1e6 / rounds;
}
