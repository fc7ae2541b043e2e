// The menu music: a calm eight-bar tune on a drawbar organ with a slow rotating-speaker
// shimmer and a little room, made so the last bar breathes into the first.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <algorithm>
#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr int BEAT_SAMPLES = 42000;  // 63 beats a minute, a whole number of samples
constexpr int BEATS_PER_BAR = 4;
constexpr int BARS = 8;
constexpr int64_t LOOP_SAMPLES = int64_t{BEAT_SAMPLES} * BEATS_PER_BAR * BARS;

// Drawbars, lowest first: the multiple of the sub-octave each one sounds.
constexpr int DRAWBARS = 9;
constexpr int DRAWBAR_HARMONIC[DRAWBARS] = {1, 3, 2, 4, 6, 8, 10, 12, 16};
constexpr double DRAWBAR_STEP_DB = 3.0;
constexpr int WAVE_TABLE_SIZE = 4096;
constexpr double PHASE_SPREAD = 0.6180339887;  // golden ratio: start phases that never line up

// Registrations, drawbar settings 0..8 (16', 5 1/3', 8', 4', 2 2/3', 2', 1 3/5', 1 1/3', 1').
constexpr int PAD_STOPS[DRAWBARS] = {0, 0, 7, 4, 0, 2, 0, 0, 0};
constexpr int MELODY_STOPS[DRAWBARS] = {0, 0, 8, 6, 2, 4, 0, 0, 2};
constexpr int PEDAL_STOPS[DRAWBARS] = {8, 0, 6, 2, 0, 0, 0, 0, 0};

constexpr double ATTACK_SECONDS = 0.025;
constexpr double RELEASE_SECONDS = 0.09;
constexpr double LEGATO = 0.96;          // share of its written length a melody note sounds
constexpr double VIBRATO_HZ = 5.8;
constexpr double VIBRATO_DEPTH = 0.002;  // relative pitch swing, about 3.5 cents
constexpr double ROTOR_HZ = 0.8;
constexpr double ROTOR_DEPTH = 0.14;     // amplitude swing of the rotating speaker

constexpr float PAD_GAIN = 0.16f, MELODY_GAIN = 0.30f, PEDAL_GAIN = 0.30f;
constexpr float PAD_PAN = -0.3f, MELODY_PAN = 0.25f, PEDAL_PAN = 0.0f;
constexpr ReverbSettings ROOM = {1.3, 0.82, 0.35};
constexpr float REVERB_SEND = 0.9f;
constexpr float REVERB_RETURN = 0.35f;
constexpr float PEAK = 0.72f;

// ---- Types --------------------------------------------------------------------------

struct OrganNote {
    double beat;    // from the start of the loop
    double length;  // in beats
    int midi;
};

// ---- Score --------------------------------------------------------------------------

// Chords of the left hand, three or four notes each; the hands lift early in the last bar
// for a breath while the pedal carries on into the first.
constexpr OrganNote PAD_NOTES[] = {
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

constexpr OrganNote PEDAL_NOTES[] = {
    {0, 4, 48}, {4, 4, 45}, {8, 4, 41}, {12, 4, 43},
    {16, 4, 40}, {20, 4, 41}, {24, 2, 38}, {26, 2, 43}, {28, 4, 43},
};

constexpr OrganNote MELODY_NOTES[] = {
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
    return setting <= 0 ? 0.0 : std::pow(10.0, (setting - 8) * DRAWBAR_STEP_DB / 20.0);
}

// One period of the sub-octave with every pulled drawbar mixed in, peak 1.
std::vector<double> makeWaveTable(const int (&stops)[DRAWBARS])
{
    std::vector<double> table(WAVE_TABLE_SIZE, 0.0);
    double peak = 0.0;
    for (int i = 0; i < WAVE_TABLE_SIZE; ++i) {
        double phase = TWO_PI * i / WAVE_TABLE_SIZE;
        double v = 0.0;
        for (int d = 0; d < DRAWBARS; ++d)
            v += drawbarAmplitude(stops[d]) * std::sin(DRAWBAR_HARMONIC[d] * phase);
        table[static_cast<size_t>(i)] = v;
        peak = std::max(peak, std::fabs(v));
    }
    for (double& v : table) v /= peak;
    return table;
}

// Smooth rise and fall so key changes never click.
double organEnvelope(int64_t i, int64_t heldSamples)
{
    const double attack = ATTACK_SECONDS * SOUND_RATE;
    const double release = RELEASE_SECONDS * SOUND_RATE;
    double level = i < attack ? 0.5 - 0.5 * std::cos(TWO_PI * 0.5 * i / attack) : 1.0;
    if (i >= heldSamples) {
        double t = (i - heldSamples) / release;
        level *= t >= 1.0 ? 0.0 : 0.5 + 0.5 * std::cos(TWO_PI * 0.5 * t);
    }
    return level;
}

// A note read from the wave table; vibrato follows the loop clock so it repeats exactly.
Track organVoice(const std::vector<double>& table, const OrganNote& note, double lengthShare,
                 const std::vector<double>& vibrato, double startPhase)
{
    const int64_t start = static_cast<int64_t>(note.beat * BEAT_SAMPLES);
    const int64_t held = static_cast<int64_t>(note.length * lengthShare * BEAT_SAMPLES);
    const int64_t total = held + static_cast<int64_t>(RELEASE_SECONDS * SOUND_RATE);
    // The table holds the sub-octave, so it is read at half the note's frequency.
    const double step = noteFrequency(note.midi) * 0.5 / SOUND_RATE * WAVE_TABLE_SIZE;
    Track voice(static_cast<size_t>(total));
    double phase = startPhase * WAVE_TABLE_SIZE;
    for (int64_t i = 0; i < total; ++i) {
        int64_t index = static_cast<int64_t>(phase);
        double frac = phase - index;
        double a = table[static_cast<size_t>(index % WAVE_TABLE_SIZE)];
        double b = table[static_cast<size_t>((index + 1) % WAVE_TABLE_SIZE)];
        voice[static_cast<size_t>(i)] =
            static_cast<float>((a + (b - a) * frac) * organEnvelope(i, held));
        phase += step * vibrato[static_cast<size_t>((start + i) % LOOP_SAMPLES)];
        if (phase >= WAVE_TABLE_SIZE) phase -= WAVE_TABLE_SIZE;
    }
    return voice;
}

template <size_t N>
void playPart(StereoTrack& mix, const OrganNote (&notes)[N], const int (&stops)[DRAWBARS],
              double lengthShare, const std::vector<double>& vibrato, float gain, float pan)
{
    std::vector<double> table = makeWaveTable(stops);
    for (size_t n = 0; n < N; ++n) {
        // Spread the starting phases so stacked chord notes do not peak together.
        double startPhase = std::fmod(n * PHASE_SPREAD, 1.0);
        Track voice = organVoice(table, notes[n], lengthShare, vibrato, startPhase);
        addWrappedStereo(mix, static_cast<int64_t>(notes[n].beat * BEAT_SAMPLES), voice, gain,
                         pan);
    }
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

StereoTrack renderOrganPiece()
{
    const double vibratoHz = loopFittedRate(VIBRATO_HZ, LOOP_SAMPLES);
    const double rotorHz = loopFittedRate(ROTOR_HZ, LOOP_SAMPLES);
    std::vector<double> vibrato(static_cast<size_t>(LOOP_SAMPLES));
    for (int64_t i = 0; i < LOOP_SAMPLES; ++i)
        vibrato[static_cast<size_t>(i)] =
            1.0 + VIBRATO_DEPTH * std::sin(TWO_PI * vibratoHz * i / SOUND_RATE);

    StereoTrack mix;
    mix.left.assign(static_cast<size_t>(LOOP_SAMPLES), 0.0f);
    mix.right = mix.left;
    playPart(mix, PAD_NOTES, PAD_STOPS, 1.0, vibrato, PAD_GAIN, PAD_PAN);
    playPart(mix, PEDAL_NOTES, PEDAL_STOPS, 1.0, vibrato, PEDAL_GAIN, PEDAL_PAN);
    playPart(mix, MELODY_NOTES, MELODY_STOPS, LEGATO, vibrato, MELODY_GAIN, MELODY_PAN);

    // The rotating speaker sweeps the sound from side to side.
    for (size_t i = 0; i < mix.left.size(); ++i) {
        double angle = TWO_PI * rotorHz * static_cast<double>(i) / SOUND_RATE;
        mix.left[i] *= static_cast<float>(1.0 + ROTOR_DEPTH * std::sin(angle));
        mix.right[i] *= static_cast<float>(1.0 + ROTOR_DEPTH * std::cos(angle));
    }

    StereoTrack send = mix;
    for (float& v : send.left) v *= REVERB_SEND;
    for (float& v : send.right) v *= REVERB_SEND;
    StereoTrack wet = loopReverb(send, ROOM);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += wet.left[i] * REVERB_RETURN;
        mix.right[i] += wet.right[i] * REVERB_RETURN;
    }
    scaleTo(mix, PEAK);
    return mix;
}
