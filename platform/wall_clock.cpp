// The monotonic wall clock behind frame and start-up measurements.
// Depends on: wall_clock.h, <chrono>.
#include "platform/wall_clock.h"

#include <chrono>

double wallClockMs()
{
    auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(sinceEpoch).count();
}
