// The codes of the keys and buttons the game listens to, in the game's own names: scripts,
// recordings and the autopilot speak them without a window library. They are the values the
// desktop window reports (input.cpp checks that they stay equal).
// Depends on: nothing.
#pragma once

// Character keys.
const unsigned char KEY_ENTER = 13;
const unsigned char KEY_ESCAPE = 27;
const unsigned char KEY_FORWARD = 'w';
const unsigned char KEY_BACK = 's';
const unsigned char KEY_RIGHT = 'd';
const unsigned char KEY_LEFT = 'a';

// Special keys (an event marked special): the menu's arrows.
const int SPECIAL_KEY_UP = 101;
const int SPECIAL_KEY_DOWN = 103;

// Mouse buttons and their two states.
const int MOUSE_LEFT_BUTTON = 0;
const int MOUSE_MIDDLE_BUTTON = 1;
const int MOUSE_RIGHT_BUTTON = 2;
const int MOUSE_BUTTON_DOWN = 0;
const int MOUSE_BUTTON_UP = 1;
