// The 2D overlay of play mode.
// Depends on: game_state.h.
#pragma once

void drawHud();
