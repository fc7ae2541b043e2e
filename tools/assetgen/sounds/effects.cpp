// The two short effects: a rising chime when a passer-by takes a flyer and a dull bump
// when one pushes the player back. Mono, faded in and out so they never click.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr double FADE_IN_SECONDS = 0.002;
constexpr double FADE_OUT_SECONDS = 0.03;
constexpr float EFFECT_PEAK = 0.7f;

// Chime: four bell strikes climbing a major chord, each ringing under the next.
constexpr double CHIME_SECONDS = 0.45;
constexpr int CHIME_NOTES[] = {84, 88, 91, 96};  // C6 E6 G6 C7
constexpr double CHIME_SPACING_SECONDS = 0.06;
constexpr double CHIME_DECAY_SECONDS = 0.12;
constexpr double CHIME_OVERTONE = 2.0;           // second partial, an octave up
constexpr double CHIME_OVERTONE_LEVEL = 0.35;
constexpr double CHIME_OVERTONE_DECAY = 0.4;     // share of the main decay
constexpr double CHIME_GROWTH = 0.25;            // each strike a little louder than the last

// Bump: a falling low thud with a soft knock of filtered noise on top.
constexpr double BUMP_SECONDS = 0.25;
constexpr double BUMP_START_HZ = 120.0, BUMP_END_HZ = 50.0;
constexpr double BUMP_SWEEP_SECONDS = 0.05;
constexpr double BUMP_DECAY_SECONDS = 0.07;
constexpr double KNOCK_DECAY_SECONDS = 0.015;
constexpr double KNOCK_CUTOFF_HZ = 600.0;
constexpr double KNOCK_LEVEL = 1.2;
constexpr uint32_t KNOCK_SEED = 7;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

void finishEffect(Track& track)
{
    scaleTo(track, EFFECT_PEAK);
    fadeEdges(track, static_cast<int>(FADE_IN_SECONDS * SOUND_RATE),
              static_cast<int>(FADE_OUT_SECONDS * SOUND_RATE));
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

Track renderFlyerChime()
{
    Track out(static_cast<size_t>(CHIME_SECONDS * SOUND_RATE), 0.0f);
    int strike = 0;
    for (int midi : CHIME_NOTES) {
        const double f = noteFrequency(midi);
        const size_t start = static_cast<size_t>(strike * CHIME_SPACING_SECONDS * SOUND_RATE);
        const double level = 1.0 + CHIME_GROWTH * strike;
        for (size_t i = start; i < out.size(); ++i) {
            double t = static_cast<double>(i - start) / SOUND_RATE;
            double v = std::sin(TWO_PI * f * t) * std::exp(-t / CHIME_DECAY_SECONDS) +
                       CHIME_OVERTONE_LEVEL * std::sin(TWO_PI * f * CHIME_OVERTONE * t) *
                           std::exp(-t / (CHIME_DECAY_SECONDS * CHIME_OVERTONE_DECAY));
            out[i] += static_cast<float>(level * v);
        }
        ++strike;
    }
    finishEffect(out);
    return out;
}

Track renderBump()
{
    Track knock(static_cast<size_t>(BUMP_SECONDS * SOUND_RATE), 0.0f);
    NoiseSource noise{KNOCK_SEED};
    for (float& v : knock) v = nextNoise(noise);
    lowPass(knock, KNOCK_CUTOFF_HZ);
    lowPass(knock, KNOCK_CUTOFF_HZ);

    Track out(knock.size(), 0.0f);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double hz = BUMP_END_HZ + (BUMP_START_HZ - BUMP_END_HZ) * std::exp(-t / BUMP_SWEEP_SECONDS);
        phase += TWO_PI * hz / SOUND_RATE;
        out[i] = static_cast<float>(std::sin(phase) * std::exp(-t / BUMP_DECAY_SECONDS) +
                                    KNOCK_LEVEL * knock[i] * std::exp(-t / KNOCK_DECAY_SECONDS));
    }
    finishEffect(out);
    return out;
}
