// The bookkeeping every sound backend shares: the names of the files the game started, for
// the trace, and the handles still open. Kept apart from the audio device, so that the
// desktop's mixer and the browser's Web Audio note exactly the same names.
// Depends on: nothing (sound.h declares what the game reads back).
#pragma once

// A stream or sample the game started, whether or not a device plays it.
void soundNoteStarted(const char* name);
// A handle made and a handle released.
void soundNoteOpened();
void soundNoteFreed();
