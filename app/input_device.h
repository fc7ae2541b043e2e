// Keyboard and mouse: menu navigation, the walking axes, flyers, the fist and mouse look.
// Depends on: key_codes.h, game_state.h, camera.h, startup.h, sound.h.
#pragma once
#include "app/key_codes.h"

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onMouseMotion(int x, int y);

// Leaves the main menu for the one game of the run.
void startGame();
// Destroys the window and ends the process with exit code 0.
[[noreturn]] void quitGame();
