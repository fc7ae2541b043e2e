// Writing a game down as a script that replays it: the player's name, every input event in
// the frame it was delivered before, and every frame's clock reading.
// Depends on: script.h (the events and their words).
#pragma once
#include "app/script.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The words of an event after its frame number, as the script parser reads them back.
std::string formatScriptEvent(const ScriptEvent& event);
// A name's bytes as one word: printable bytes as they are, the others as %XX.
std::string encodeNameWord(const char* bytes, size_t count);

// Opens the recording; false with a message in error when the file cannot be written.
bool recordOpen(const std::string& path, std::string& error);
bool recordActive();
void recordName(const char* bytes, size_t count);
// The table the game ranked its score in, as it read it; a replay ranks in these bytes.
void recordTable(const char* bytes, size_t count);
void recordEvent(long frame, const ScriptEvent& event);
// The clock's reading for a frame; written after the events delivered before that frame
// that came from the devices, which still read the previous frame's clock.
void recordClock(long frame, uint32_t ms);
