// Keyboard and mouse: menu navigation, the walking axes, flyers, the fist and mouse look.
// Depends on: key_codes.h.
#pragma once
#include "app/key_codes.h"

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onMouseMotion(int x, int y);

// What the devices do when the game starts (the game music) and when the player leaves (the
// window closes): installed by the game before its first event. Either may be null.
struct InputDeviceHooks {
    void (*gameStarted)();
    void (*leaving)();
};
void installInputDeviceHooks(const InputDeviceHooks& hooks);

// Leaves the main menu for the one game of the run.
void startGame();
// Lets the devices go and ends the process with exit code 0.
[[noreturn]] void quitGame();
