// Keyboard and mouse: menu navigation, the walking axes, flyers, the fist and mouse look.
// Depends on: game_state.h, camera.h, startup.h, sound.h.
#pragma once

const unsigned char KEY_ENTER = 13;
const unsigned char KEY_ESCAPE = 27;
const unsigned char KEY_FORWARD = 'w';
const unsigned char KEY_BACK = 's';
const unsigned char KEY_RIGHT = 'd';
const unsigned char KEY_LEFT = 'a';

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onMouseMotion(int x, int y);

// Leaves the main menu for the one game of the run.
void startGame();
// Destroys the window and ends the process with exit code 0.
[[noreturn]] void quitGame();
