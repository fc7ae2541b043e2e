// The window's side of input: the game music when play starts, the window closed when the
// player leaves.
// Depends on: input.h, sound_device.h, startup.h (the window), GLUT.
#pragma once

// Installs the hooks the input callbacks call when the game starts and when the player leaves.
void installInputDevices();
