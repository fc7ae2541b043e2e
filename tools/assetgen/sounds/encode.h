// File encoders for the generated sounds: 16-bit PCM WAVE and MP3.
// Depends on: synth.h (tracks); the MP3 side on libmp3lame.
#pragma once
#include "tools/assetgen/sounds/synth.h"

#include <cstdint>
#include <vector>

// RIFF WAVE, PCM 16-bit signed, mono. Samples outside -1..1 are clamped.
std::vector<uint8_t> encodeWavMono16(const Track& samples, int sampleRate);

// Constant bit rate joint-stereo MP3 with an info frame up front that records the exact
// length, encoder delay and padding, so decoders that honour it play the loop gaplessly.
// Empty on failure, after printing why.
std::vector<uint8_t> encodeMp3Stereo(const StereoTrack& mix, int sampleRate, int kbps);
