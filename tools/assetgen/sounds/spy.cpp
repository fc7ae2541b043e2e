// The game music: a 24-bar minor surf groove (plucked bass, drum kit, twangy lead with a
// spring-like reverb) whose closing fill leads straight back into the first bar.
// Depends on: pieces.h, synth.h.
#include "tools/assetgen/sounds/pieces.h"

#include <algorithm>
#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr int kBeatSamples = 18900;  // 140 beats a minute, a whole number of samples
constexpr int kStepSamples = kBeatSamples / 4;    // a sixteenth
constexpr int kEighthSamples = kBeatSamples / 2;
constexpr int kStepsPerBar = 16;
constexpr int kBars = 24;
constexpr int64_t kLoopSamples = int64_t{kStepSamples} * kStepsPerBar * kBars;

// Plucked strings are sums of harmonics; these stay clear of the top of the band.
constexpr double kHighestPartialHz = 16000.0;
constexpr double kPluckAttackSeconds = 0.002;
constexpr double kMuteSeconds = 0.03;

// Drum voices.
constexpr double kKickSeconds = 0.4, kKickStartHz = 140.0, kKickEndHz = 46.0;
constexpr double kKickSweepSeconds = 0.035, kKickDecaySeconds = 0.22;
constexpr double kSnareSeconds = 0.3, kSnareLowHz = 180.0, kSnareHighHz = 330.0;
constexpr double kSnareToneSeconds = 0.05, kSnareNoiseSeconds = 0.11;
constexpr double kClosedHatSeconds = 0.09, kClosedHatDecay = 0.025;
constexpr double kOpenHatSeconds = 0.4, kOpenHatDecay = 0.16;
constexpr double kCrashSeconds = 2.5, kCrashDecay = 0.9;
constexpr double kHatCutoffHz = 7000.0, kCrashCutoffHz = 5000.0;
constexpr double kSnareNoiseLowCut = 1500.0, kSnareNoiseHighCut = 9000.0;
constexpr double kKickClickSeconds = 0.002, kKickClickLevel = 0.3;
constexpr double kSnareLowLevel = 0.5, kSnareHighLevel = 0.3, kSnareNoiseLevel = 1.6;
constexpr double kDrumOnsetSeconds = 0.0005;  // soft enough not to click, hard enough to snap
constexpr double kDrumFadeSeconds = 0.005;

constexpr float kKickGain = 0.85f, kSnareGain = 0.55f, kClosedHatGain = 0.22f;
constexpr float kOpenHatGain = 0.18f, kCrashGain = 0.18f, kBassGain = 0.55f;
constexpr float kLeadGain = 0.30f;
constexpr float kOffbeatHat = 0.6f;
constexpr float kHatPan = 0.35f, kCrashPan = -0.25f, kLeadPan = -0.2f;
constexpr float kLeadSend = 0.7f, kSnareSend = 0.25f, kReverbReturn = 0.45f;
constexpr ReverbSettings kSpring = {0.8, 0.78, 0.25};
constexpr float kPeak = 0.8f;

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

constexpr PluckTone kBassTone = {10, 0.25, 1.5, 0.6, 0.6, 0.0, 0.0, 0.0};
constexpr PluckTone kLeadTone = {24, 0.12, 1.0, 1.2, 0.25, 0.006, 5.5, 0.12};

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

constexpr int kEm = 40, kAm = 45, kC = 36, kB = 35;
constexpr BassBar kBassBars[kBars] = {
    // the groove
    {kEm, false, false}, {kEm, false, true}, {kEm, false, false}, {kEm, false, true},
    {kAm, false, false}, {kAm, false, true}, {kEm, false, false}, {kEm, false, true},
    // the tune
    {kEm, false, false}, {kEm, false, true}, {kAm, false, false}, {kAm, false, true},
    {kC, true, false},   {kB, true, true},   {kEm, false, false}, {kEm, false, true},
    // the answer and the turn back home
    {kEm, false, false}, {kEm, false, true}, {kAm, false, false}, {kAm, false, true},
    {kC, true, false},   {kC, true, true},   {kB, true, false},   {kB, true, true},
};

// Steps above the root for the eight eighths of a bar.
constexpr int kRiffMinor[8] = {0, 0, 12, 0, 3, 0, 5, 6};
constexpr int kRiffMinorTurn[8] = {0, 0, 12, 0, 7, 6, 5, 3};
constexpr int kRiffMajor[8] = {0, 0, 12, 0, 4, 0, 5, 6};
constexpr int kRiffMajorTurn[8] = {0, 0, 12, 0, 7, 6, 5, 4};
constexpr double kBassLegato = 0.85;

constexpr LeadNote kLead[] = {
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
constexpr DrumBar kGroove = {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x."};
constexpr DrumBar kGrooveOpen = {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.o."};
constexpr DrumBar kFill = {"x.......x.......", "....x.......xssx", "x.x.x.x.x.x....."};
constexpr int kFillEvery = 8;                   // the last bar of every eight is a fill
constexpr int kCrashBars[] = {0, 8, 16};        // so the fill of the last bar crashes into bar 1
constexpr float kSoftSnare = 0.55f;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

Track silence(double seconds)
{
    return Track(static_cast<size_t>(seconds * kSoundRate), 0.0f);
}

// A plucked string as a sum of decaying harmonics, held for heldSamples, then muted.
Track pluck(int midi, int64_t heldSamples, const PluckTone& tone)
{
    const double f = noteFrequency(midi);
    const int partials = std::max(1, std::min(tone.maxPartials,
                                              static_cast<int>(kHighestPartialHz / f)));
    std::vector<double> amp(static_cast<size_t>(partials) + 1, 0.0);
    std::vector<double> decay(static_cast<size_t>(partials) + 1, 0.0);
    for (int n = 1; n <= partials; ++n) {
        amp[static_cast<size_t>(n)] =
            std::sin(n * kTwoPi * 0.5 * tone.pickPosition) / std::pow(n, tone.rolloff);
        double tau = tone.decaySeconds / (1.0 + tone.highLoss * (n - 1));
        decay[static_cast<size_t>(n)] = std::exp(-1.0 / (tau * kSoundRate));
    }
    const int64_t mute = static_cast<int64_t>(kMuteSeconds * kSoundRate);
    const int64_t attack = static_cast<int64_t>(kPluckAttackSeconds * kSoundRate);
    Track voice(static_cast<size_t>(heldSamples + mute));
    std::vector<double> level(amp);
    double phase = 0.0;
    for (int64_t i = 0; i < heldSamples + mute; ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double bend = 1.0;
        if (t > tone.vibratoDelaySeconds)
            bend += tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        phase += kTwoPi * f * bend / kSoundRate;
        if (phase > kTwoPi) phase -= kTwoPi;
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
    fadeEdges(voice, static_cast<int>(kDrumOnsetSeconds * kSoundRate),
              static_cast<int>(kDrumFadeSeconds * kSoundRate));
}

Track kick(uint32_t seed)
{
    Track voice = silence(kKickSeconds);
    NoiseSource noise{seed};
    double phase = 0.0;
    for (size_t i = 0; i < voice.size(); ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double hz = kKickEndHz + (kKickStartHz - kKickEndHz) * std::exp(-t / kKickSweepSeconds);
        phase += kTwoPi * hz / kSoundRate;
        double click = kKickClickLevel * nextNoise(noise) * std::exp(-t / kKickClickSeconds);
        voice[i] = static_cast<float>(std::sin(phase) * std::exp(-t / kKickDecaySeconds) + click);
    }
    fadeDrum(voice);
    return voice;
}

Track snare(uint32_t seed)
{
    Track rattle = silence(kSnareSeconds);
    NoiseSource noise{seed};
    for (float& v : rattle) v = nextNoise(noise);
    highPass(rattle, kSnareNoiseLowCut);
    lowPass(rattle, kSnareNoiseHighCut);
    Track voice = silence(kSnareSeconds);
    for (size_t i = 0; i < voice.size(); ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double body = kSnareLowLevel * std::sin(kTwoPi * kSnareLowHz * t) +
                      kSnareHighLevel * std::sin(kTwoPi * kSnareHighHz * t);
        double noise = kSnareNoiseLevel * rattle[i] * std::exp(-t / kSnareNoiseSeconds);
        voice[i] = static_cast<float>(body * std::exp(-t / kSnareToneSeconds) + noise);
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
        double t = static_cast<double>(i) / kSoundRate;
        voice[i] *= static_cast<float>(std::exp(-t / decaySeconds));
    }
    fadeDrum(voice);
    return voice;
}

void playDrums(StereoTrack& mix, StereoTrack& send)
{
    uint32_t seed = 1;
    for (int bar = 0; bar < kBars; ++bar) {
        const DrumBar& pattern = (bar + 1) % kFillEvery == 0 ? kFill
                                 : bar % 2 == 1              ? kGrooveOpen
                                                             : kGroove;
        for (int step = 0; step < kStepsPerBar; ++step) {
            int64_t at = (int64_t{bar} * kStepsPerBar + step) * kStepSamples;
            if (pattern.kick[step] == 'x')
                addWrappedStereo(mix, at, kick(seed++), kKickGain, 0.0f);
            char s = pattern.snare[step];
            if (s != '.') {
                Track hit = snare(seed++);
                float gain = kSnareGain * (s == 's' ? kSoftSnare : 1.0f);
                addWrappedStereo(mix, at, hit, gain, 0.0f);
                addWrappedStereo(send, at, hit, gain * kSnareSend, 0.0f);
            }
            char h = pattern.hat[step];
            float accent = step % 4 == 0 ? 1.0f : kOffbeatHat;
            if (h == 'x')
                addWrappedStereo(mix, at, metalNoise(seed++, kClosedHatSeconds, kClosedHatDecay,
                                                     kHatCutoffHz),
                                 kClosedHatGain * accent, kHatPan);
            else if (h == 'o')
                addWrappedStereo(mix, at, metalNoise(seed++, kOpenHatSeconds, kOpenHatDecay,
                                                     kHatCutoffHz),
                                 kOpenHatGain, kHatPan);
        }
    }
    for (int bar : kCrashBars)
        addWrappedStereo(mix, int64_t{bar} * kStepsPerBar * kStepSamples,
                         metalNoise(seed++, kCrashSeconds, kCrashDecay, kCrashCutoffHz),
                         kCrashGain, kCrashPan);
}

void playBass(StereoTrack& mix)
{
    for (int bar = 0; bar < kBars; ++bar) {
        const BassBar& b = kBassBars[bar];
        const int* riff = b.major ? (b.turn ? kRiffMajorTurn : kRiffMajor)
                                  : (b.turn ? kRiffMinorTurn : kRiffMinor);
        for (int e = 0; e < 8; ++e) {
            int64_t at = (int64_t{bar} * 8 + e) * kEighthSamples;
            Track note = pluck(b.root + riff[e], static_cast<int64_t>(kEighthSamples * kBassLegato),
                               kBassTone);
            addWrappedStereo(mix, at, note, kBassGain, 0.0f);
        }
    }
}

void playLead(StereoTrack& mix, StereoTrack& send)
{
    for (const LeadNote& n : kLead) {
        int64_t at = (int64_t{n.bar} * 8 + n.eighth) * kEighthSamples;
        Track note = pluck(n.midi, int64_t{n.eighths} * kEighthSamples, kLeadTone);
        addWrappedStereo(mix, at, note, kLeadGain, kLeadPan);
        addWrappedStereo(send, at, note, kLeadGain * kLeadSend, kLeadPan);
    }
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

StereoTrack renderSpyLoop()
{
    StereoTrack mix;
    mix.left.assign(static_cast<size_t>(kLoopSamples), 0.0f);
    mix.right = mix.left;
    StereoTrack send = mix;
    playDrums(mix, send);
    playBass(mix);
    playLead(mix, send);
    StereoTrack wet = loopReverb(send, kSpring);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += wet.left[i] * kReverbReturn;
        mix.right[i] += wet.right[i] * kReverbReturn;
    }
    scaleTo(mix, kPeak);
    return mix;
}
