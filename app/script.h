// Scripted input: events read from a file and fed through the real callbacks by frame.
// Depends on: nothing. Delivery to the game is in script_delivery_device.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class ScriptAction {
    KeyDown, KeyUp, MouseDown, MouseUp, Motion, Screenshot, Quit,
    // Recorded games: the clock's reading from here on, a window resize, the player's name,
    // the top-five table the game read at its end.
    Clock, Reshape, Name, Table
};

struct ScriptEvent {
    long frame;
    ScriptAction action;
    int key;         // character code, or a special key (key_codes.h) with `special` set
    bool special;    // up/down arrows
    int button;      // mouse button (key_codes.h)
    int x, y;        // motion; width and height for a reshape
    uint32_t clockMs;  // clock
    std::string path;  // screenshot; the name's or the table's bytes (frame 0: a header)
};

// The bytes of a recording's table line: the five 12-byte records of the top-five table.
const int RECORDED_TABLE_SIZE = 60;

// Parses a whole script. On a malformed line returns false with
// "FILE:LINE: what is wrong" in error.
bool parseScript(const std::string& text, const std::string& fileName,
                 std::vector<ScriptEvent>& events, std::string& error);

// The bytes of a name word of a recording, where %XX stands for the byte XX (hex); false
// on a % not followed by two hex digits.
bool decodeNameWord(const std::string& word, std::string& bytes);
