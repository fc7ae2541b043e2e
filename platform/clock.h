// The game's one millisecond clock: counts from program start, or in fixed steps per frame.
// Depends on: nothing.
#pragma once
#include <cstdint>

// Milliseconds as an unsigned 32-bit count. Counting from program start rather than
// system boot keeps float conversions of it precise for any machine uptime.
uint32_t clockMilliseconds();

// Deterministic runs: with a step set, the clock reads frame × step.
void clockUseFixedStep(float stepMs);
bool clockIsFixedStep();
void clockSetFrame(long frame);

// Recorded games: the clock holds one reading until told otherwise. clockHoldCurrent holds
// what the clock reads now (wall time or the fixed step) and returns it.
void clockHold(uint32_t ms);
uint32_t clockHoldCurrent();
// The clock runs again (wall time or the fixed step) from the reading it holds, without a jump
// either way.
void clockResume();

// Tests only: pin the clock to a value (pass -1 to let it run again).
void clockSetForTesting(int64_t ms);
