// Sound building blocks of the generator: tracks, loop-wrapped mixing, noise, filters,
// reverb and level handling shared by the music and the effects.
// Depends on: nothing beyond the standard library.
#pragma once
#include <cstdint>
#include <vector>

constexpr int SOUND_RATE = 44100;          // every sound of the game is made at this rate
constexpr double TWO_PI = 6.283185307179586;

// A mono run of samples, nominally within -1..1.
using Track = std::vector<float>;

struct StereoTrack {
    Track left;
    Track right;
};

// Deterministic white noise: xorshift32 seeded by the caller, never by the clock.
struct NoiseSource {
    uint32_t state;
};
float nextNoise(NoiseSource& noise);  // -1..1

double noteFrequency(int midiNote);  // equal temperament, A4 (note 69) = 440 Hz

// Adds voice into a looping track starting at sample start; whatever runs past the end
// comes round to the beginning, so the loop stays seamless. pan -1 is left, +1 right.
void addWrapped(Track& track, int64_t start, const Track& voice, float gain);
void addWrappedStereo(StereoTrack& mix, int64_t start, const Track& voice, float gain, float pan);

// LFO rate close to wantedHz that fits a whole number of cycles into the loop.
double loopFittedRate(double wantedHz, int64_t loopSamples);

// One-pole filters with a cutoff in Hz, applied in place, state starting at zero.
void lowPass(Track& track, double cutoffHz);
void highPass(Track& track, double cutoffHz);

// Stereo room reverb for a looping mix: the send is run through twice so the tail
// of the end of the loop lands on its beginning. Returns only the reverberated part.
struct ReverbSettings {
    double roomScale;  // multiplies the comb delays: 1 is a small room
    double feedback;   // 0..1, longer tail when higher
    double damping;    // 0..1, darker tail when higher
};
StereoTrack loopReverb(const StereoTrack& send, const ReverbSettings& settings);

float peakLevel(const Track& track);
float peakLevel(const StereoTrack& mix);
void scaleTo(Track& track, float peak);       // scales so the highest sample is peak
void scaleTo(StereoTrack& mix, float peak);

// Linear ramps over the first fadeIn and the last fadeOut samples.
void fadeEdges(Track& track, int fadeIn, int fadeOut);
