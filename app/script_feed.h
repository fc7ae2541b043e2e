// The script feed: a script read before the window opens hands its events out frame by frame.
// A script that holds clock readings is a recording, which the game replays exactly.
// Depends on: script.h, the platform clock and file reading.
#pragma once
#include "app/script.h"

#include <string>

// Reads and checks the script; false with a message in error on a bad file.
bool harnessLoadScript(const std::string& path, std::string& error);
// The next event of the script for this frame, in the script's order, or null once this
// frame has none left. Events of earlier frames (the name header) are passed over.
const ScriptEvent* takeScriptEvent(long frame);

// A replayed recording: its game runs on the recorded clock, and the devices are not
// listened to. The name it recorded, if any, is in bytes.
bool harnessReplaying();
// At the start of a frame: true, once, when a replay has delivered its last line and its
// game did not end there (a recording cut short). The replay is over from then on: the clock
// runs on from its last reading and the devices are listened to again.
bool harnessReplayRunOut(long frame);
bool harnessRecordedName(std::string& bytes);
// The table the recorded game ranked its score in (its table line), if the recording has one.
bool harnessRecordedTable(std::string& bytes);
