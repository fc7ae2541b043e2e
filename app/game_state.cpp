// The one GameState of the run.
// Depends on: game_state.h.
#include "app/game_state.h"

GameState initialGameState()
{
    GameState s = {};
    s.menuMode = true;
    s.menuIndex = 0;
    s.menuCount = MENU_ITEM_COUNT;
    s.secondsLeft = GAME_SECONDS;
    return s;
}

GameState gameState = initialGameState();
