// The 2D overlay of play mode: crosshair, score, time left and the hand; once the game is
// over, the top-five table.
// Depends on: nothing (hud_draw.cpp: play_step.h for the texts, overlay_draw.h, GL).
#pragma once

// Called by displayFrame once per play frame, in window pixels with lighting and culling
// off: the overlay after a played frame, the table when the game was already over.
void drawHud(bool played);
