// What the window library reports for a key of the browser: a character (as the desktop's
// window system types it: Enter 13, Escape 27, Backspace 8, control letters 1-26), one of
// the special keys (arrows, function keys, modifiers), or nothing.
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
