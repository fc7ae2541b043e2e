// Sound output: looping music streams and one-shot samples on numbered channels.
// Depends on: the audio library (SDL2_mixer).
#pragma once

struct SoundStream;  // opaque; null when a file could not be opened
struct SoundSample;  // opaque; null when a file could not be loaded

// Starts the audio device (44100 Hz, the given number of channels); a failure is silent
// and leaves every later call a no-op. Calling it again keeps the running device.
void soundInit(int mixRate, int channels);
SoundStream* soundOpenStream(const char* path);
SoundSample* soundLoadSample(const char* path);
// Plays the stream on the channel, looping until the program ends; a new stream
// replaces the one that was playing.
void soundPlayStream(int channel, SoundStream* stream);
// Starts the whole sample at once on the channel, cutting off what played there.
void soundPlaySample(int channel, SoundSample* sample);

// Names of the files started since the last call (streams and samples), for the trace.
// Returns the number of names written into `names` (at most `capacity`).
int soundTakeStartedNames(const char** names, int capacity);
