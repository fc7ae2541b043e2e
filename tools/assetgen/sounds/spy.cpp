// The game music: a 24-bar minor surf groove (plucked bass, drum kit, twangy lead with a
// spring-like reverb) whose closing fill leads straight back into the first bar.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <algorithm>
#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr int BEAT_SAMPLES = 18900;  // 140 beats a minute, a whole number of samples
constexpr int STEP_SAMPLES = BEAT_SAMPLES / 4;    // a sixteenth
constexpr int EIGHTH_SAMPLES = BEAT_SAMPLES / 2;
constexpr int STEPS_PER_BAR = 16;
constexpr int BARS = 24;
constexpr int64_t LOOP_SAMPLES = int64_t{STEP_SAMPLES} * STEPS_PER_BAR * BARS;

// Plucked strings are sums of harmonics; these stay clear of the top of the band.
constexpr double HIGHEST_PARTIAL_HZ = 16000.0;
constexpr double PLUCK_ATTACK_SECONDS = 0.002;
constexpr double MUTE_SECONDS = 0.03;

// Drum voices.
constexpr double KICK_SECONDS = 0.4, KICK_START_HZ = 140.0, KICK_END_HZ = 46.0;
constexpr double KICK_SWEEP_SECONDS = 0.035, KICK_DECAY_SECONDS = 0.22;
constexpr double SNARE_SECONDS = 0.3, SNARE_LOW_HZ = 180.0, SNARE_HIGH_HZ = 330.0;
constexpr double SNARE_TONE_SECONDS = 0.05, SNARE_NOISE_SECONDS = 0.11;
constexpr double CLOSED_HAT_SECONDS = 0.09, CLOSED_HAT_DECAY = 0.025;
constexpr double OPEN_HAT_SECONDS = 0.4, OPEN_HAT_DECAY = 0.16;
constexpr double CRASH_SECONDS = 2.5, CRASH_DECAY = 0.9;
constexpr double HAT_CUTOFF_HZ = 7000.0, CRASH_CUTOFF_HZ = 5000.0;
constexpr double SNARE_NOISE_LOW_CUT = 1500.0, SNARE_NOISE_HIGH_CUT = 9000.0;
constexpr double KICK_CLICK_SECONDS = 0.002, KICK_CLICK_LEVEL = 0.3;
constexpr double SNARE_LOW_LEVEL = 0.5, SNARE_HIGH_LEVEL = 0.3, SNARE_NOISE_LEVEL = 1.6;
constexpr double DRUM_ONSET_SECONDS = 0.0005;  // soft enough not to click, hard enough to snap
constexpr double DRUM_FADE_SECONDS = 0.005;

constexpr float KICK_GAIN = 0.85f, SNARE_GAIN = 0.55f, CLOSED_HAT_GAIN = 0.22f;
constexpr float OPEN_HAT_GAIN = 0.18f, CRASH_GAIN = 0.18f, BASS_GAIN = 0.55f;
constexpr float LEAD_GAIN = 0.30f;
constexpr float OFFBEAT_HAT = 0.6f;
constexpr float HAT_PAN = 0.35f, CRASH_PAN = -0.25f, LEAD_PAN = -0.2f;
constexpr float LEAD_SEND = 0.7f, SNARE_SEND = 0.25f, REVERB_RETURN = 0.45f;
constexpr ReverbSettings SPRING = {0.8, 0.78, 0.25};
constexpr float PEAK = 0.8f;

// ---- Types --------------------------------------------------------------------------

struct PluckTone {
    int maxPartials;
    double pickPosition;   // 0..0.5 along the string; nearer the bridge is brighter
    double rolloff;        // partial n starts at 1/n^rolloff
    double decaySeconds;   // of the fundamental
    double highLoss;       // higher partials die this much faster per step
    double vibratoDepth;   // relative pitch swing once the note has settled
    double vibratoHz;
    double vibratoDelaySeconds;
};

constexpr PluckTone BASS_TONE = {10, 0.25, 1.5, 0.6, 0.6, 0.0, 0.0, 0.0};
constexpr PluckTone LEAD_TONE = {24, 0.12, 1.0, 1.2, 0.25, 0.006, 5.5, 0.12};

struct BassBar {
    int root;      // MIDI note
    bool major;
    bool turn;     // second form of the riff, walking down at the end
};

struct LeadNote {
    int bar;       // 0-based
    int eighth;    // 0..7 in the bar
    int eighths;   // length
    int midi;
};

// ---- Score --------------------------------------------------------------------------

// Roots of the bass line's chords (Em, Am, C and B) as MIDI notes.
constexpr int E2 = 40, A2 = 45, C2 = 36, B1 = 35;
constexpr BassBar BASS_BARS[BARS] = {
    // the groove
    {E2, false, false}, {E2, false, true}, {E2, false, false}, {E2, false, true},
    {A2, false, false}, {A2, false, true}, {E2, false, false}, {E2, false, true},
    // the tune
    {E2, false, false}, {E2, false, true}, {A2, false, false}, {A2, false, true},
    {C2, true, false},  {B1, true, true},  {E2, false, false}, {E2, false, true},
    // the answer and the turn back home
    {E2, false, false}, {E2, false, true}, {A2, false, false}, {A2, false, true},
    {C2, true, false},  {C2, true, true},  {B1, true, false},  {B1, true, true},
};

// Steps above the root for the eight eighths of a bar.
constexpr int RIFF_MINOR[8] = {0, 0, 12, 0, 3, 0, 5, 6};
constexpr int RIFF_MINOR_TURN[8] = {0, 0, 12, 0, 7, 6, 5, 3};
constexpr int RIFF_MAJOR[8] = {0, 0, 12, 0, 4, 0, 5, 6};
constexpr int RIFF_MAJOR_TURN[8] = {0, 0, 12, 0, 7, 6, 5, 4};
constexpr double BASS_LEGATO = 0.85;

constexpr LeadNote LEAD_NOTES[] = {
    {8, 0, 2, 71},  {8, 2, 2, 76},  {8, 4, 1, 74},  {8, 5, 1, 71},  {8, 6, 2, 67},
    {9, 0, 1, 69},  {9, 1, 3, 71},  {9, 4, 4, 64},
    {10, 0, 2, 72}, {10, 2, 2, 76}, {10, 4, 1, 75}, {10, 5, 1, 76}, {10, 6, 2, 81},
    {11, 0, 3, 79}, {11, 3, 1, 76}, {11, 4, 4, 72},
    {12, 0, 2, 79}, {12, 2, 2, 76}, {12, 4, 2, 72}, {12, 6, 2, 67},
    {13, 0, 2, 71}, {13, 2, 2, 75}, {13, 4, 2, 78}, {13, 6, 2, 75},
    {14, 0, 6, 76}, {14, 6, 1, 74}, {14, 7, 1, 71},
    {15, 0, 4, 64},
    {16, 0, 1, 64}, {16, 1, 1, 67}, {16, 2, 1, 71}, {16, 3, 3, 76}, {16, 6, 2, 74},
    {17, 0, 2, 71}, {17, 2, 2, 67}, {17, 4, 2, 66}, {17, 6, 2, 64},
    {18, 0, 1, 69}, {18, 1, 1, 72}, {18, 2, 1, 76}, {18, 3, 3, 81}, {18, 6, 2, 79},
    {19, 0, 4, 76}, {19, 4, 4, 72},
    {20, 0, 2, 72}, {20, 2, 2, 76}, {20, 4, 3, 79}, {20, 7, 1, 76},
    {21, 0, 2, 79}, {21, 2, 2, 84}, {21, 4, 2, 79}, {21, 6, 2, 76},
    {22, 0, 2, 75}, {22, 2, 2, 78}, {22, 4, 2, 81}, {22, 6, 2, 78},
    {23, 0, 4, 75}, {23, 4, 4, 71},
};

// Drum patterns, one character per sixteenth: x hit, s soft hit, o open hat, . rest.
struct DrumBar {
    const char* kick;
    const char* snare;
    const char* hat;
};
constexpr DrumBar GROOVE = {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x."};
constexpr DrumBar GROOVE_OPEN = {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.o."};
constexpr DrumBar FILL = {"x.......x.......", "....x.......xssx", "x.x.x.x.x.x....."};
constexpr int FILL_EVERY = 8;                   // the last bar of every eight is a fill
constexpr int CRASH_BARS[] = {0, 8, 16};        // so the fill of the last bar crashes into bar 1
constexpr float SOFT_SNARE = 0.55f;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

Track silence(double seconds)
{
    return Track(static_cast<size_t>(seconds * SOUND_RATE), 0.0f);
}

// A plucked string as a sum of decaying harmonics, held for heldSamples, then muted.
Track pluck(int midi, int64_t heldSamples, const PluckTone& tone)
{
    const double f = noteFrequency(midi);
    const int partials = std::max(1, std::min(tone.maxPartials,
                                              static_cast<int>(HIGHEST_PARTIAL_HZ / f)));
    std::vector<double> amp(static_cast<size_t>(partials) + 1, 0.0);
    std::vector<double> decay(static_cast<size_t>(partials) + 1, 0.0);
    for (int n = 1; n <= partials; ++n) {
        amp[static_cast<size_t>(n)] =
            std::sin(n * TWO_PI * 0.5 * tone.pickPosition) / std::pow(n, tone.rolloff);
        double tau = tone.decaySeconds / (1.0 + tone.highLoss * (n - 1));
        decay[static_cast<size_t>(n)] = std::exp(-1.0 / (tau * SOUND_RATE));
    }
    const int64_t mute = static_cast<int64_t>(MUTE_SECONDS * SOUND_RATE);
    const int64_t attack = static_cast<int64_t>(PLUCK_ATTACK_SECONDS * SOUND_RATE);
    Track voice(static_cast<size_t>(heldSamples + mute));
    std::vector<double> level(amp);
    double phase = 0.0;
    for (int64_t i = 0; i < heldSamples + mute; ++i) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double bend = 1.0;
        if (t > tone.vibratoDelaySeconds)
            bend += tone.vibratoDepth * std::sin(TWO_PI * tone.vibratoHz * t);
        phase += TWO_PI * f * bend / SOUND_RATE;
        if (phase > TWO_PI) phase -= TWO_PI;
        // sin(n*phase) by the Chebyshev recurrence: one sine and one cosine per sample.
        double c2 = 2.0 * std::cos(phase), prev = 0.0, cur = std::sin(phase), sum = 0.0;
        for (int n = 1; n <= partials; ++n) {
            sum += level[static_cast<size_t>(n)] * cur;
            level[static_cast<size_t>(n)] *= decay[static_cast<size_t>(n)];
            double next = c2 * cur - prev;
            prev = cur;
            cur = next;
        }
        double env = i < attack ? static_cast<double>(i) / attack : 1.0;
        if (i >= heldSamples) env *= 1.0 - static_cast<double>(i - heldSamples) / mute;
        voice[static_cast<size_t>(i)] = static_cast<float>(sum * env);
    }
    return voice;
}

void fadeDrum(Track& voice)
{
    fadeEdges(voice, static_cast<int>(DRUM_ONSET_SECONDS * SOUND_RATE),
              static_cast<int>(DRUM_FADE_SECONDS * SOUND_RATE));
}

Track kick(uint32_t seed)
{
    Track voice = silence(KICK_SECONDS);
    NoiseSource noise{seed};
    double phase = 0.0;
    for (size_t i = 0; i < voice.size(); ++i) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double hz = KICK_END_HZ + (KICK_START_HZ - KICK_END_HZ) * std::exp(-t / KICK_SWEEP_SECONDS);
        phase += TWO_PI * hz / SOUND_RATE;
        double click = KICK_CLICK_LEVEL * nextNoise(noise) * std::exp(-t / KICK_CLICK_SECONDS);
        voice[i] = static_cast<float>(std::sin(phase) * std::exp(-t / KICK_DECAY_SECONDS) + click);
    }
    fadeDrum(voice);
    return voice;
}

Track snare(uint32_t seed)
{
    Track rattle = silence(SNARE_SECONDS);
    NoiseSource noise{seed};
    for (float& v : rattle) v = nextNoise(noise);
    highPass(rattle, SNARE_NOISE_LOW_CUT);
    lowPass(rattle, SNARE_NOISE_HIGH_CUT);
    Track voice = silence(SNARE_SECONDS);
    for (size_t i = 0; i < voice.size(); ++i) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double body = SNARE_LOW_LEVEL * std::sin(TWO_PI * SNARE_LOW_HZ * t) +
                      SNARE_HIGH_LEVEL * std::sin(TWO_PI * SNARE_HIGH_HZ * t);
        double noise = SNARE_NOISE_LEVEL * rattle[i] * std::exp(-t / SNARE_NOISE_SECONDS);
        voice[i] = static_cast<float>(body * std::exp(-t / SNARE_TONE_SECONDS) + noise);
    }
    fadeDrum(voice);
    return voice;
}

Track metalNoise(uint32_t seed, double seconds, double decaySeconds, double cutoffHz)
{
    Track voice = silence(seconds);
    NoiseSource noise{seed};
    for (float& v : voice) v = nextNoise(noise);
    highPass(voice, cutoffHz);
    highPass(voice, cutoffHz);
    for (size_t i = 0; i < voice.size(); ++i) {
        double t = static_cast<double>(i) / SOUND_RATE;
        voice[i] *= static_cast<float>(std::exp(-t / decaySeconds));
    }
    fadeDrum(voice);
    return voice;
}

void playDrums(StereoTrack& mix, StereoTrack& send)
{
    uint32_t seed = 1;
    for (int bar = 0; bar < BARS; ++bar) {
        const DrumBar& pattern = (bar + 1) % FILL_EVERY == 0 ? FILL
                                 : bar % 2 == 1              ? GROOVE_OPEN
                                                             : GROOVE;
        for (int step = 0; step < STEPS_PER_BAR; ++step) {
            int64_t at = (int64_t{bar} * STEPS_PER_BAR + step) * STEP_SAMPLES;
            if (pattern.kick[step] == 'x')
                addWrappedStereo(mix, at, kick(seed++), KICK_GAIN, 0.0f);
            char s = pattern.snare[step];
            if (s != '.') {
                Track hit = snare(seed++);
                float gain = SNARE_GAIN * (s == 's' ? SOFT_SNARE : 1.0f);
                addWrappedStereo(mix, at, hit, gain, 0.0f);
                addWrappedStereo(send, at, hit, gain * SNARE_SEND, 0.0f);
            }
            char h = pattern.hat[step];
            float accent = step % 4 == 0 ? 1.0f : OFFBEAT_HAT;
            if (h == 'x')
                addWrappedStereo(mix, at, metalNoise(seed++, CLOSED_HAT_SECONDS, CLOSED_HAT_DECAY,
                                                     HAT_CUTOFF_HZ),
                                 CLOSED_HAT_GAIN * accent, HAT_PAN);
            else if (h == 'o')
                addWrappedStereo(mix, at, metalNoise(seed++, OPEN_HAT_SECONDS, OPEN_HAT_DECAY,
                                                     HAT_CUTOFF_HZ),
                                 OPEN_HAT_GAIN, HAT_PAN);
        }
    }
    for (int bar : CRASH_BARS)
        addWrappedStereo(mix, int64_t{bar} * STEPS_PER_BAR * STEP_SAMPLES,
                         metalNoise(seed++, CRASH_SECONDS, CRASH_DECAY, CRASH_CUTOFF_HZ),
                         CRASH_GAIN, CRASH_PAN);
}

void playBass(StereoTrack& mix)
{
    for (int bar = 0; bar < BARS; ++bar) {
        const BassBar& b = BASS_BARS[bar];
        const int* riff = b.major ? (b.turn ? RIFF_MAJOR_TURN : RIFF_MAJOR)
                                  : (b.turn ? RIFF_MINOR_TURN : RIFF_MINOR);
        for (int e = 0; e < 8; ++e) {
            int64_t at = (int64_t{bar} * 8 + e) * EIGHTH_SAMPLES;
            Track note = pluck(b.root + riff[e], static_cast<int64_t>(EIGHTH_SAMPLES * BASS_LEGATO),
                               BASS_TONE);
            addWrappedStereo(mix, at, note, BASS_GAIN, 0.0f);
        }
    }
}

void playLead(StereoTrack& mix, StereoTrack& send)
{
    for (const LeadNote& n : LEAD_NOTES) {
        int64_t at = (int64_t{n.bar} * 8 + n.eighth) * EIGHTH_SAMPLES;
        Track note = pluck(n.midi, int64_t{n.eighths} * EIGHTH_SAMPLES, LEAD_TONE);
        addWrappedStereo(mix, at, note, LEAD_GAIN, LEAD_PAN);
        addWrappedStereo(send, at, note, LEAD_GAIN * LEAD_SEND, LEAD_PAN);
    }
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

StereoTrack renderSpyLoop()
{
    StereoTrack mix;
    mix.left.assign(static_cast<size_t>(LOOP_SAMPLES), 0.0f);
    mix.right = mix.left;
    StereoTrack send = mix;
    playDrums(mix, send);
    playBass(mix);
    playLead(mix, send);
    StereoTrack wet = loopReverb(send, SPRING);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += wet.left[i] * REVERB_RETURN;
        mix.right[i] += wet.right[i] * REVERB_RETURN;
    }
    scaleTo(mix, PEAK);
    return mix;
}
