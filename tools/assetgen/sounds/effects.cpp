// The two short effects: a rising chime when a passer-by takes a flyer and a dull bump
// when one pushes the player back. Mono, faded in and out so they never click.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr double kFadeInSeconds = 0.002;
constexpr double kFadeOutSeconds = 0.03;
constexpr float kEffectPeak = 0.7f;

// Chime: four bell strikes climbing a major chord, each ringing under the next.
constexpr double kChimeSeconds = 0.45;
constexpr int kChimeNotes[] = {84, 88, 91, 96};   // C6 E6 G6 C7
constexpr double kChimeSpacingSeconds = 0.06;
constexpr double kChimeDecaySeconds = 0.12;
constexpr double kChimeOvertone = 2.0;            // second partial, an octave up
constexpr double kChimeOvertoneLevel = 0.35;
constexpr double kChimeOvertoneDecay = 0.4;       // share of the main decay
constexpr double kChimeGrowth = 0.25;             // each strike a little louder than the last

// Bump: a falling low thud with a soft knock of filtered noise on top.
constexpr double kBumpSeconds = 0.25;
constexpr double kBumpStartHz = 120.0, kBumpEndHz = 50.0;
constexpr double kBumpSweepSeconds = 0.05;
constexpr double kBumpDecaySeconds = 0.07;
constexpr double kKnockDecaySeconds = 0.015;
constexpr double kKnockCutoffHz = 600.0;
constexpr double kKnockLevel = 1.2;
constexpr uint32_t kKnockSeed = 7;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

void finishEffect(Track& track)
{
    scaleTo(track, kEffectPeak);
    fadeEdges(track, static_cast<int>(kFadeInSeconds * kSoundRate),
              static_cast<int>(kFadeOutSeconds * kSoundRate));
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

Track renderFlyerChime()
{
    Track out(static_cast<size_t>(kChimeSeconds * kSoundRate), 0.0f);
    int strike = 0;
    for (int midi : kChimeNotes) {
        const double f = noteFrequency(midi);
        const size_t start = static_cast<size_t>(strike * kChimeSpacingSeconds * kSoundRate);
        const double level = 1.0 + kChimeGrowth * strike;
        for (size_t i = start; i < out.size(); ++i) {
            double t = static_cast<double>(i - start) / kSoundRate;
            double v = std::sin(kTwoPi * f * t) * std::exp(-t / kChimeDecaySeconds) +
                       kChimeOvertoneLevel * std::sin(kTwoPi * f * kChimeOvertone * t) *
                           std::exp(-t / (kChimeDecaySeconds * kChimeOvertoneDecay));
            out[i] += static_cast<float>(level * v);
        }
        ++strike;
    }
    finishEffect(out);
    return out;
}

Track renderBump()
{
    Track knock(static_cast<size_t>(kBumpSeconds * kSoundRate), 0.0f);
    NoiseSource noise{kKnockSeed};
    for (float& v : knock) v = nextNoise(noise);
    lowPass(knock, kKnockCutoffHz);
    lowPass(knock, kKnockCutoffHz);

    Track out(knock.size(), 0.0f);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double hz = kBumpEndHz + (kBumpStartHz - kBumpEndHz) * std::exp(-t / kBumpSweepSeconds);
        phase += kTwoPi * hz / kSoundRate;
        out[i] = static_cast<float>(std::sin(phase) * std::exp(-t / kBumpDecaySeconds) +
                                    kKnockLevel * knock[i] * std::exp(-t / kKnockDecaySeconds));
    }
    finishEffect(out);
    return out;
}
