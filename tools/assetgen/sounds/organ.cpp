// The menu music: a calm eight-bar tune on a drawbar organ with a slow rotating-speaker
// shimmer and a little room, made so the last bar breathes into the first.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <algorithm>
#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr int kBeatSamples = 42000;  // 63 beats a minute, a whole number of samples
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 8;
constexpr int64_t kLoopSamples = int64_t{kBeatSamples} * kBeatsPerBar * kBars;

// Drawbars, lowest first: the multiple of the sub-octave each one sounds.
constexpr int kDrawbars = 9;
constexpr int kDrawbarHarmonic[kDrawbars] = {1, 3, 2, 4, 6, 8, 10, 12, 16};
constexpr double kDrawbarStepDb = 3.0;
constexpr int kWaveTableSize = 4096;
constexpr double kPhaseSpread = 0.6180339887;  // golden ratio: start phases that never line up

// Registrations, drawbar settings 0..8 (16', 5 1/3', 8', 4', 2 2/3', 2', 1 3/5', 1 1/3', 1').
constexpr int kPadStops[kDrawbars] = {0, 0, 7, 4, 0, 2, 0, 0, 0};
constexpr int kMelodyStops[kDrawbars] = {0, 0, 8, 6, 2, 4, 0, 0, 2};
constexpr int kPedalStops[kDrawbars] = {8, 0, 6, 2, 0, 0, 0, 0, 0};

constexpr double kAttackSeconds = 0.025;
constexpr double kReleaseSeconds = 0.09;
constexpr double kLegato = 0.96;           // share of its written length a melody note sounds
constexpr double kVibratoHz = 5.8;
constexpr double kVibratoDepth = 0.002;    // relative pitch swing, about 3.5 cents
constexpr double kRotorHz = 0.8;
constexpr double kRotorDepth = 0.14;       // amplitude swing of the rotating speaker

constexpr float kPadGain = 0.16f, kMelodyGain = 0.30f, kPedalGain = 0.30f;
constexpr float kPadPan = -0.3f, kMelodyPan = 0.25f, kPedalPan = 0.0f;
constexpr ReverbSettings kRoom = {1.3, 0.82, 0.35};
constexpr float kReverbSend = 0.9f;
constexpr float kReverbReturn = 0.35f;
constexpr float kPeak = 0.72f;

// ---- Types --------------------------------------------------------------------------

struct OrganNote {
    double beat;    // from the start of the loop
    double length;  // in beats
    int midi;
};

// ---- Score --------------------------------------------------------------------------

// Chords of the left hand, three or four notes each; the hands lift early in the last bar
// for a breath while the pedal carries on into the first.
constexpr OrganNote kPadNotes[] = {
    // bar 1: C
    {0, 4, 60}, {0, 4, 64}, {0, 4, 67},
    // bar 2: A minor
    {4, 4, 57}, {4, 4, 60}, {4, 4, 64},
    // bar 3: F
    {8, 4, 57}, {8, 4, 60}, {8, 4, 65},
    // bar 4: G
    {12, 4, 55}, {12, 4, 59}, {12, 4, 62},
    // bar 5: E minor
    {16, 4, 55}, {16, 4, 59}, {16, 4, 64},
    // bar 6: F
    {20, 4, 57}, {20, 4, 60}, {20, 4, 65},
    // bar 7: D minor, G seventh
    {24, 2, 57}, {24, 2, 62}, {24, 2, 65},
    {26, 2, 55}, {26, 2, 59}, {26, 2, 62}, {26, 2, 65},
    // bar 8: G suspended, resolving, then the lift
    {28, 2, 55}, {28, 2, 60}, {28, 2, 62},
    {30, 1.7, 55}, {30, 1.7, 59}, {30, 1.7, 62},
};

constexpr OrganNote kPedalNotes[] = {
    {0, 4, 48}, {4, 4, 45}, {8, 4, 41}, {12, 4, 43},
    {16, 4, 40}, {20, 4, 41}, {24, 2, 38}, {26, 2, 43}, {28, 4, 43},
};

constexpr OrganNote kMelodyNotes[] = {
    // bar 1
    {0, 1, 67}, {1, 1, 72}, {2, 1.5, 76}, {3.5, 0.5, 74},
    // bar 2
    {4, 1, 72}, {5, 1, 69}, {6, 2, 76},
    // bar 3
    {8, 1, 77}, {9, 1, 76}, {10, 1, 74}, {11, 1, 72},
    // bar 4
    {12, 2, 74}, {14, 1, 71}, {15, 1, 67},
    // bar 5
    {16, 1, 76}, {17, 1, 79}, {18, 1.5, 83}, {19.5, 0.5, 81},
    // bar 6
    {20, 1, 81}, {21, 0.5, 79}, {21.5, 0.5, 77}, {22, 2, 72},
    // bar 7
    {24, 1, 74}, {25, 1, 77}, {26, 1, 71}, {27, 1, 74},
    // bar 8
    {28, 2, 74}, {30, 1.6, 71},
};

// ---- Internal helpers ---------------------------------------------------------------

namespace {

double drawbarAmplitude(int setting)
{
    return setting <= 0 ? 0.0 : std::pow(10.0, (setting - 8) * kDrawbarStepDb / 20.0);
}

// One period of the sub-octave with every pulled drawbar mixed in, peak 1.
std::vector<double> makeWaveTable(const int (&stops)[kDrawbars])
{
    std::vector<double> table(kWaveTableSize, 0.0);
    double peak = 0.0;
    for (int i = 0; i < kWaveTableSize; ++i) {
        double phase = kTwoPi * i / kWaveTableSize;
        double v = 0.0;
        for (int d = 0; d < kDrawbars; ++d)
            v += drawbarAmplitude(stops[d]) * std::sin(kDrawbarHarmonic[d] * phase);
        table[static_cast<size_t>(i)] = v;
        peak = std::max(peak, std::fabs(v));
    }
    for (double& v : table) v /= peak;
    return table;
}

// Smooth rise and fall so key changes never click.
double organEnvelope(int64_t i, int64_t heldSamples)
{
    const double attack = kAttackSeconds * kSoundRate;
    const double release = kReleaseSeconds * kSoundRate;
    double level = i < attack ? 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * i / attack) : 1.0;
    if (i >= heldSamples) {
        double t = (i - heldSamples) / release;
        level *= t >= 1.0 ? 0.0 : 0.5 + 0.5 * std::cos(kTwoPi * 0.5 * t);
    }
    return level;
}

// A note read from the wave table; vibrato follows the loop clock so it repeats exactly.
Track organVoice(const std::vector<double>& table, const OrganNote& note, double lengthShare,
                 const std::vector<double>& vibrato, double startPhase)
{
    const int64_t start = static_cast<int64_t>(note.beat * kBeatSamples);
    const int64_t held = static_cast<int64_t>(note.length * lengthShare * kBeatSamples);
    const int64_t total = held + static_cast<int64_t>(kReleaseSeconds * kSoundRate);
    // The table holds the sub-octave, so it is read at half the note's frequency.
    const double step = noteFrequency(note.midi) * 0.5 / kSoundRate * kWaveTableSize;
    Track voice(static_cast<size_t>(total));
    double phase = startPhase * kWaveTableSize;
    for (int64_t i = 0; i < total; ++i) {
        int64_t index = static_cast<int64_t>(phase);
        double frac = phase - index;
        double a = table[static_cast<size_t>(index % kWaveTableSize)];
        double b = table[static_cast<size_t>((index + 1) % kWaveTableSize)];
        voice[static_cast<size_t>(i)] =
            static_cast<float>((a + (b - a) * frac) * organEnvelope(i, held));
        phase += step * vibrato[static_cast<size_t>((start + i) % kLoopSamples)];
        if (phase >= kWaveTableSize) phase -= kWaveTableSize;
    }
    return voice;
}

template <size_t N>
void playPart(StereoTrack& mix, const OrganNote (&notes)[N], const int (&stops)[kDrawbars],
              double lengthShare, const std::vector<double>& vibrato, float gain, float pan)
{
    std::vector<double> table = makeWaveTable(stops);
    for (size_t n = 0; n < N; ++n) {
        // Spread the starting phases so stacked chord notes do not peak together.
        double startPhase = std::fmod(n * kPhaseSpread, 1.0);
        Track voice = organVoice(table, notes[n], lengthShare, vibrato, startPhase);
        addWrappedStereo(mix, static_cast<int64_t>(notes[n].beat * kBeatSamples), voice, gain,
                         pan);
    }
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

StereoTrack renderOrganPiece()
{
    const double vibratoHz = loopFittedRate(kVibratoHz, kLoopSamples);
    const double rotorHz = loopFittedRate(kRotorHz, kLoopSamples);
    std::vector<double> vibrato(static_cast<size_t>(kLoopSamples));
    for (int64_t i = 0; i < kLoopSamples; ++i)
        vibrato[static_cast<size_t>(i)] =
            1.0 + kVibratoDepth * std::sin(kTwoPi * vibratoHz * i / kSoundRate);

    StereoTrack mix;
    mix.left.assign(static_cast<size_t>(kLoopSamples), 0.0f);
    mix.right = mix.left;
    playPart(mix, kPadNotes, kPadStops, 1.0, vibrato, kPadGain, kPadPan);
    playPart(mix, kPedalNotes, kPedalStops, 1.0, vibrato, kPedalGain, kPedalPan);
    playPart(mix, kMelodyNotes, kMelodyStops, kLegato, vibrato, kMelodyGain, kMelodyPan);

    // The rotating speaker sweeps the sound from side to side.
    for (size_t i = 0; i < mix.left.size(); ++i) {
        double angle = kTwoPi * rotorHz * static_cast<double>(i) / kSoundRate;
        mix.left[i] *= static_cast<float>(1.0 + kRotorDepth * std::sin(angle));
        mix.right[i] *= static_cast<float>(1.0 + kRotorDepth * std::cos(angle));
    }

    StereoTrack send = mix;
    for (float& v : send.left) v *= kReverbSend;
    for (float& v : send.right) v *= kReverbSend;
    StereoTrack wet = loopReverb(send, kRoom);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += wet.left[i] * kReverbReturn;
        mix.right[i] += wet.right[i] * kReverbReturn;
    }
    scaleTo(mix, kPeak);
    return mix;
}
