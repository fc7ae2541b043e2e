// Scripted input: events read from a file and fed through the real callbacks by frame.
// Depends on: nothing (parsing); input.h (delivery).
#pragma once
#include <string>
#include <vector>

enum class ScriptAction { KeyDown, KeyUp, MouseDown, MouseUp, Motion, Screenshot, Quit };

struct ScriptEvent {
    long frame;
    ScriptAction action;
    int key;         // character code, or the GLUT special key with `special` set
    bool special;    // up/down arrows
    int button;      // GLUT mouse button
    int x, y;        // motion
    std::string path;  // screenshot
};

// Parses a whole script. On a malformed line returns false with
// "FILE:LINE: what is wrong" in error.
bool parseScript(const std::string& text, const std::string& fileName,
                 std::vector<ScriptEvent>& events, std::string& error);

// Sends one event through the input callbacks (not screenshots; quit ends the program).
void deliverScriptEvent(const ScriptEvent& event);
