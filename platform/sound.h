// Sound output: looping music streams and one-shot samples on numbered channels.
// Depends on: an audio backend: platform/sound_device.cpp (SDL2_mixer) on the desktop,
// web/device/sound_device.cpp (Web Audio) in the browser.
#pragma once

struct SoundStream;  // opaque; keeps its file name even when the file could not be opened
struct SoundSample;  // opaque; keeps its file name even when the file could not be loaded

// The one line shown when the game has to play without sound.
extern const char* const NO_SOUND_DEVICE_MESSAGE;

// Starts the audio device (44100 Hz, the given number of channels). Without a device it
// says so in one line and every later call plays nothing (but still notes the names).
// Calling it again keeps the running device.
void soundInit(int mixRate, int channels);
// Null only for a null path.
SoundStream* soundOpenStream(const char* path);
SoundSample* soundLoadSample(const char* path);
// Releases a handle; a stream still playing is stopped first, a sample still playing is cut
// off. Null is ignored.
void soundFreeStream(SoundStream* stream);
void soundFreeSample(SoundSample* sample);
// Plays the stream on the channel, looping until the program ends; a new stream
// replaces the one that was playing.
void soundPlayStream(int channel, SoundStream* stream);
// Starts the whole sample at once on the channel, cutting off what played there.
void soundPlaySample(int channel, SoundSample* sample);

// Names of the files the game started since the last call (streams and samples), whether
// or not a device played them, for the trace. Returns the number of names written into
// `names` (at most `capacity`).
int soundTakeStartedNames(const char** names, int capacity);
// Streams and samples opened and not yet freed.
int soundOpenHandleCount();
