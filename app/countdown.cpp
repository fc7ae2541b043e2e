// The game's countdown and the text of the time left.
// Depends on: countdown.h, game_state.h.
#include "app/countdown.h"

#include "app/game_state.h"

namespace {
const int SECONDS_PER_MINUTE = 60;
}

bool tickCountdown(GameState& state, uint32_t clockMs)
{
    if (state.gameOver) return false;
    float elapsed = (float)clockMs - state.secondTick;
    if (!(elapsed > COUNTDOWN_TICK_MS)) return false;
    state.secondTick += COUNTDOWN_TICK_MS;
    if (state.secondsLeft != 0) {
        state.secondsLeft -= 1;
        return false;
    }
    state.gameOver = true;
    return true;
}

void formatTimeText(int secondsLeft, char* text)
{
    text[0] = (char)(secondsLeft / SECONDS_PER_MINUTE + '0');
    text[1] = ':';
    text[2] = (char)((secondsLeft % SECONDS_PER_MINUTE) / 10 + '0');
    text[3] = (char)(secondsLeft % 10 + '0');
    text[4] = '\0';
}
