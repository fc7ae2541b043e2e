// Sound building blocks of the generator: noise, loop-wrapped mixing, filters, reverb, levels.
// Depends on: synth.h, <cmath>.
#include "tools/assetgen/sounds/synth.h"

#include <algorithm>
#include <cmath>

// ---- Constants ----------------------------------------------------------------------

constexpr double CONCERT_A = 440.0;
constexpr int CONCERT_A_NOTE = 69;

// Room reverb: comb and allpass delays in samples (mutually prime so their echoes do
// not pile up), the right channel's extra delay for width, and the allpass feedback.
constexpr int COMB_DELAYS[] = {1109, 1187, 1277, 1361, 1423, 1493};
constexpr int ALLPASS_DELAYS[] = {557, 443, 347};
constexpr int RIGHT_SPREAD = 29;
constexpr double ALLPASS_FEEDBACK = 0.5;
constexpr double COMB_INPUT_GAIN = 0.12;
constexpr int REVERB_PASSES = 2;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

int64_t wrapIndex(int64_t i, int64_t size)
{
    int64_t r = i % size;
    return r < 0 ? r + size : r;
}

double onePoleCoefficient(double cutoffHz)
{
    return 1.0 - std::exp(-TWO_PI * cutoffHz / SOUND_RATE);
}

struct DelayLine {
    std::vector<double> buffer;
    size_t pos = 0;
    double filterState = 0.0;
};

// One channel of the reverb, run over the loop REVERB_PASSES times.
Track reverbChannel(const Track& send, const ReverbSettings& s, int spread)
{
    std::vector<DelayLine> combs;
    for (int d : COMB_DELAYS) {
        DelayLine line;
        line.buffer.assign(static_cast<size_t>((d + spread) * s.roomScale) + 1, 0.0);
        combs.push_back(line);
    }
    std::vector<DelayLine> allpasses;
    for (int d : ALLPASS_DELAYS) {
        DelayLine line;
        line.buffer.assign(static_cast<size_t>(d + spread), 0.0);
        allpasses.push_back(line);
    }
    Track out(send.size(), 0.0f);
    for (int pass = 0; pass < REVERB_PASSES; ++pass) {
        for (size_t i = 0; i < send.size(); ++i) {
            double in = send[i] * COMB_INPUT_GAIN;
            double sum = 0.0;
            for (DelayLine& c : combs) {
                double delayed = c.buffer[c.pos];
                c.filterState = delayed * (1.0 - s.damping) + c.filterState * s.damping;
                c.buffer[c.pos] = in + c.filterState * s.feedback;
                c.pos = (c.pos + 1) % c.buffer.size();
                sum += delayed;
            }
            for (DelayLine& a : allpasses) {
                double delayed = a.buffer[a.pos];
                double fed = sum + delayed * ALLPASS_FEEDBACK;
                a.buffer[a.pos] = fed;
                a.pos = (a.pos + 1) % a.buffer.size();
                sum = delayed - fed * ALLPASS_FEEDBACK;
            }
            out[i] = static_cast<float>(sum);
        }
    }
    return out;
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

float nextNoise(NoiseSource& noise)
{
    uint32_t x = noise.state ? noise.state : 0x9E3779B9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    noise.state = x;
    return static_cast<float>(static_cast<double>(x) / 2147483647.5 - 1.0);
}

double noteFrequency(int midiNote)
{
    return CONCERT_A * std::pow(2.0, (midiNote - CONCERT_A_NOTE) / 12.0);
}

void addWrapped(Track& track, int64_t start, const Track& voice, float gain)
{
    const int64_t size = static_cast<int64_t>(track.size());
    if (size == 0) return;
    int64_t at = wrapIndex(start, size);
    for (float v : voice) {
        track[static_cast<size_t>(at)] += v * gain;
        if (++at == size) at = 0;
    }
}

void addWrappedStereo(StereoTrack& mix, int64_t start, const Track& voice, float gain, float pan)
{
    // Constant-power pan.
    double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * TWO_PI / 8.0;
    addWrapped(mix.left, start, voice, gain * static_cast<float>(std::cos(angle)));
    addWrapped(mix.right, start, voice, gain * static_cast<float>(std::sin(angle)));
}

double loopFittedRate(double wantedHz, int64_t loopSamples)
{
    double loopSeconds = static_cast<double>(loopSamples) / SOUND_RATE;
    double cycles = std::max(1.0, std::round(wantedHz * loopSeconds));
    return cycles / loopSeconds;
}

void lowPass(Track& track, double cutoffHz)
{
    double a = onePoleCoefficient(cutoffHz), y = 0.0;
    for (float& v : track) {
        y += a * (v - y);
        v = static_cast<float>(y);
    }
}

void highPass(Track& track, double cutoffHz)
{
    double a = onePoleCoefficient(cutoffHz), y = 0.0;
    for (float& v : track) {
        y += a * (v - y);
        v = static_cast<float>(v - y);
    }
}

StereoTrack loopReverb(const StereoTrack& send, const ReverbSettings& settings)
{
    StereoTrack wet;
    wet.left = reverbChannel(send.left, settings, 0);
    wet.right = reverbChannel(send.right, settings, RIGHT_SPREAD);
    return wet;
}

float peakLevel(const Track& track)
{
    float peak = 0.0f;
    for (float v : track) peak = std::max(peak, std::fabs(v));
    return peak;
}

float peakLevel(const StereoTrack& mix)
{
    return std::max(peakLevel(mix.left), peakLevel(mix.right));
}

void scaleTo(Track& track, float peak)
{
    float current = peakLevel(track);
    if (current <= 0.0f) return;
    for (float& v : track) v *= peak / current;
}

void scaleTo(StereoTrack& mix, float peak)
{
    float current = peakLevel(mix);
    if (current <= 0.0f) return;
    for (float& v : mix.left) v *= peak / current;
    for (float& v : mix.right) v *= peak / current;
}

void fadeEdges(Track& track, int fadeIn, int fadeOut)
{
    const size_t n = track.size();
    for (size_t i = 0; i < n && i < static_cast<size_t>(std::max(fadeIn, 0)); ++i)
        track[i] *= static_cast<float>(i) / static_cast<float>(fadeIn);
    for (size_t i = 0; i < n && i < static_cast<size_t>(std::max(fadeOut, 0)); ++i)
        track[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(fadeOut);
}
