// The trace file: opened before the window opens, one line written after every frame.
// Depends on: nothing but POSIX.
#pragma once
#include <string>

// False with a message in error when the file cannot be written (a FIFO nobody reads
// included: the game does not wait for a reader).
bool harnessOpenTrace(const std::string& path, std::string& error);
bool traceOpen();
// Writes the line and a line break; a failed write ends the program with a message.
void writeTraceLine(long frame, const std::string& line);
