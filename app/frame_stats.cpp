// Frame-time summaries: one definition of median and percentile for every benchmark figure
// (bench/run computes its trace figures the same way).
// Depends on: frame_stats.h.
#include "app/frame_stats.h"

#include <algorithm>

namespace {
const size_t PERCENTILE = 95;
const size_t HUNDRED = 100;
}

FrameTimeSummary summariseFrameTimes(std::vector<double> ms)
{
    FrameTimeSummary s;
    s.count = ms.size();
    if (ms.empty()) return s;
    std::sort(ms.begin(), ms.end());
    s.median = ms[ms.size() / 2];
    // Nearest rank: the smallest value with at least 95 % of the values at or below it.
    // In whole numbers, so that 95 % of 20 values is exactly the 19th.
    size_t rank = (PERCENTILE * ms.size() + HUNDRED - 1) / HUNDRED;
    s.p95 = ms[std::max<size_t>(rank, 1) - 1];
    double sum = 0.0;
    for (double v : ms) sum += v;
    s.mean = sum / (double)ms.size();
    return s;
}
