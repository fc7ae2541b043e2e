// Real elapsed time for measuring the game itself, never for playing it: unlike the game's
// clock it ignores fixed steps and recorded readings.
// Depends on: nothing.
#pragma once

// Milliseconds on the system's monotonic clock. Every process on the machine reads the same
// clock, so a reading taken by another program (a benchmark that started this one) compares.
double wallClockMs();
