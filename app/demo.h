// The demo: the autopilot plays a whole game, and a progress line follows it on the console.
// Depends on: autopilot.h, game_state.h, camera.h, roster.h, startup.h (the window size),
// countdown.h (the time's text), street_table.h, the platform clock.
#pragma once
#include "app/autopilot.h"

#include <vector>

// The autopilot plays: after each frame it sees the screen and answers with input events.
void harnessStartDemo();
bool demoPlaying();
// What the player sees now, as the autopilot and the demo's pictures see it.
PlayerView currentPlayerView();
// The autopilot's answer to what the last frame showed: the events for this frame.
std::vector<ScriptEvent> demoStep();
// One line that counts down on a terminal, a line every ten seconds elsewhere, and the final
// score once the game is over.
void showDemoProgress();
