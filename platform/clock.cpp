// Monotonic millisecond clock from program start, with fixed-step and test overrides.
// Depends on: <chrono>.
#include "platform/clock.h"

#include <chrono>

namespace {
const auto programStart = std::chrono::steady_clock::now();
float fixedStepMs = 0.0f;
long fixedFrame = 0;
int64_t pinnedMs = -1;
uint32_t resumeOffsetMs = 0;  // added to the running clock after clockResume
}

uint32_t clockMilliseconds()
{
    if (pinnedMs >= 0) return (uint32_t)pinnedMs;
    // Past 2^32 ms a fixed-step clock wraps like the real 32-bit millisecond count would;
    // converting the double to 32 bits directly would be undefined there.
    if (fixedStepMs > 0.0f)
        return (uint32_t)(uint64_t)((double)fixedFrame * (double)fixedStepMs) + resumeOffsetMs;
    auto elapsed = std::chrono::steady_clock::now() - programStart;
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() +
           resumeOffsetMs;
}

void clockUseFixedStep(float stepMs) { fixedStepMs = stepMs; }
bool clockIsFixedStep() { return fixedStepMs > 0.0f; }
void clockSetFrame(long frame) { fixedFrame = frame; }
void clockSetForTesting(int64_t ms) { pinnedMs = ms; }

void clockHold(uint32_t ms) { pinnedMs = ms; }

void clockResume()
{
    if (pinnedMs < 0) return;
    uint32_t held = (uint32_t)pinnedMs;
    pinnedMs = -1;
    // Unsigned arithmetic: the offset wraps as the 32-bit count itself does.
    resumeOffsetMs = 0;
    resumeOffsetMs = held - clockMilliseconds();
}

uint32_t clockHoldCurrent()
{
    pinnedMs = -1;
    uint32_t now = clockMilliseconds();
    pinnedMs = now;
    return now;
}
