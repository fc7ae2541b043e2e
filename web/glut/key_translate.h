// What the window library reports for a key of the browser: a character (as the desktop's
// window system types it: Enter 13, Escape 27, Backspace 8, control letters 1-26), one of
// the special keys (arrows, function keys, modifiers), or nothing; and for a turn of the
// wheel, the buttons the desktop's window system reports for it.
// Depends on: nothing (plain C++, so that it can be checked without a browser).
#pragma once

enum class KeyKind { None, Character, Special };

struct TranslatedKey {
    KeyKind kind;
    int code;  // the character (1-255) or the GLUT_KEY_ code
};

// `key` and `code` are the DOM event's strings (KeyboardEvent.key and .code); `control`
// is whether Control was held.
TranslatedKey translateKey(const char* key, const char* code, bool control);

// The buttons a wheel event of these deltas presses and releases, as X reports a wheel
// through the desktop's window library: 3 up, 4 down, 5 left, 6 right, one step each way
// whatever the size (a mouse gives one event a notch, a touch pad many small ones). Writes
// up to two buttons, vertical first, and returns how many.
int wheelButtons(double deltaX, double deltaY, int buttons[2]);
