// Every event reaches the game's input callbacks here: the devices', the script's and the
// autopilot's alike.
// Depends on: script.h, input_device.h, window_gl.h (reshape), harness_recording.h, the platform clock.
#pragma once
#include "app/script.h"

// Sends one event through the input callbacks (not screenshots; quit ends the program).
void deliverScriptEvent(const ScriptEvent& event);
// The same, written down first when the game is recorded, as an event of this frame.
void deliverEvent(const ScriptEvent& event, long frame);
