#pragma once
// Wall-clock figures for the benchmarks (never for tests): how long a piece
// of work took, and the best of several runs, the one least disturbed by
// the rest of the machine.
#include <QElapsedTimer>

#include <algorithm>

namespace bench {

template <typename F>
double Milliseconds(F&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

template <typename F>
double BestOf(int rounds, F&& work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i)
        best = std::min(best, Milliseconds(work));
    return best;
}

} // namespace bench
