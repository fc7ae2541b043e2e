// The frame loop: one function draws every frame, menu or play, and moves the player.
// Depends on: game_state.h, camera.h, collision, street scene, lighting, HUD, menu, harness.
#pragma once

const float SECONDS_PER_MILLISECOND = 0.001f;

void displayFrame();
void playFrame();
void measureFrameTime();
// Walks and sidesteps the player by the held axes and keeps it in the play area.
void movePlayer();
