#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <functional>

// Wall time of one run of work in milliseconds.
inline double Milliseconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

inline double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// Two ways of doing the same work measured in turns, so a busy machine slows both alike, after
// one warm-up run each (statement, font and page caches filled): the median time of each and
// the median of the ratios of the turns. The one that goes first changes at every turn.
struct CTimes
{
    double First = 0;
    double Second = 0;
    double Ratio = 0;
};
inline CTimes Compare(int rounds, const std::function<void()> &first, const std::function<void()> &second)
{
    first();
    second();
    QList<double> a, b, ratios;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            a << Milliseconds(first);
            b << Milliseconds(second);
        } else {
            b << Milliseconds(second);
            a << Milliseconds(first);
        }
        ratios << a.last() / b.last();
    }
    return {Median(a), Median(b), Median(ratios)};
}
