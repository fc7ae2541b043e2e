// Summaries of measured frame times, as the benchmark runs print them.
// Depends on: nothing.
#pragma once
#include <cstddef>
#include <vector>

struct FrameTimeSummary {
    size_t count = 0;
    double median = 0.0;  // ms: the middle value, the upper one of an even count
    double p95 = 0.0;     // ms: the nearest-rank 95th percentile
    double mean = 0.0;
};

// Median, 95th percentile (nearest rank) and mean of the times; all zero for none.
FrameTimeSummary summariseFrameTimes(std::vector<double> ms);
