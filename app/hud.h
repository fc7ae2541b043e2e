// The 2D overlay of play mode: crosshair, score, time left, the hand, the countdown that
// ends the game, and from then on the top-five table.
// Depends on: game_state.h, countdown.h, highscore_table.h, sound.h, overlay.h.
#pragma once
#include "app/countdown.h"
#include "app/highscore_table.h"

// The score and the time left as last drawn.
extern char scoreText[SCORE_TEXT_SIZE];
extern char timeText[TIME_TEXT_SIZE];

// Called by displayFrame once per play frame, in window pixels with lighting and culling off.
void drawHud();
