// The game's countdown: one tick per second of the millisecond clock, shown as m:ss.
// Depends on: game_state.h.
#pragma once
#include <cstdint>

struct GameState;

const float COUNTDOWN_TICK_MS = 1000.0f;
const int TIME_TEXT_SIZE = 5;   // "m:ss" and a NUL

// Ticks at most one second: when more than a second has passed since secondTick, moves
// secondTick on by exactly one second and lowers secondsLeft, or, with none left, ends
// the game. Returns true in the one call that ended it. Frames more than a second apart
// let the countdown fall behind and catch up a second per frame, losing no time.
bool tickCountdown(GameState& state, uint32_t clockMs);
// The time left as "m:ss" and a NUL.
void formatTimeText(int secondsLeft, char* text);
