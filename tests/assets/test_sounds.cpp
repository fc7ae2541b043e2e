// Checks of the generated sounds: the effect WAVs by reading their bytes, the music by
// decoding it with the same mixer library the game plays it with.
// Depends on: GoogleTest, SDL2, SDL2_mixer; env KERB_DATA_DIR (the generated data).
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace test_sounds {

// ---- What the sounds must be ----------------------------------------------------------

struct SoundRange {
    const char* file;
    double minSeconds;
    double maxSeconds;
};

void PrintTo(const SoundRange& sound, std::ostream* out) { *out << sound.file; }

constexpr SoundRange kScoreEffect = {"audio/powerup.wav", 0.3, 0.6};
constexpr SoundRange kBumpEffect = {"audio/rempl.wav", 0.15, 0.4};
constexpr SoundRange kMenuMusic = {"audio/Organ4U.mp3", 20.0, 40.0};
constexpr SoundRange kGameMusic = {"audio/NotBond.mp3", 30.0, 60.0};

constexpr int kMixRate = 44100;
constexpr double kPi = 3.141592653589793;
constexpr double kFullScale = 32768.0;
constexpr double kAudibleRms = 0.01;           // about -40 dBFS
constexpr double kEdgeLevel = 0.01;            // effect level at the very start and end
constexpr double kTailSeconds = 0.001;
constexpr double kSeamWindowSeconds = 0.05;
constexpr double kGapWindowSeconds = 0.02;
constexpr double kSeamStepMargin = 1.25;
constexpr double kMaxMusicKbps = 130.0;
constexpr double kDullBumpHz = 500.0;
constexpr double kChimeRise = 1.3;

// ---- Reading ----------------------------------------------------------------------------

std::string dataPath(const char* file)
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    return std::string(dir ? dir : "") + "/" + file;
}

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t le16(const std::vector<uint8_t>& b, uint64_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t le32(const std::vector<uint8_t>& b, uint64_t at)
{
    return le16(b, at) | (le16(b, at + 2) << 16);
}

// The parts of a RIFF WAVE file these checks need; error says what was wrong.
struct WavFile {
    std::string error;
    uint32_t formatTag = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

WavFile parseWav(const std::vector<uint8_t>& b)
{
    WavFile wav;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        wav.error = "not a RIFF WAVE file";
        return wav;
    }
    bool haveFormat = false, haveData = false;
    uint64_t at = 12;
    while (at + 8 <= b.size()) {
        std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
        uint64_t size = le32(b, at + 4);
        uint64_t body = at + 8;
        if (body + size > b.size()) {
            wav.error = "chunk " + id + " runs past the end of the file";
            return wav;
        }
        if (id == "fmt " && size >= 16) {
            wav.formatTag = le16(b, body);
            wav.channels = le16(b, body + 2);
            wav.rate = le32(b, body + 4);
            wav.bits = le16(b, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            for (uint64_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<int16_t>(le16(b, body + i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat) wav.error = "no fmt chunk";
    else if (!haveData) wav.error = "no data chunk";
    return wav;
}

// ---- Measuring --------------------------------------------------------------------------

// Interleaved 16-bit samples; a window is given in frames of `channels` samples.
struct Pcm {
    const int16_t* samples;
    size_t frames;
    int channels;
};

double rms(const Pcm& pcm, int channel, size_t first, size_t count)
{
    double sum = 0.0;
    for (size_t i = first; i < first + count; ++i) {
        double v = pcm.samples[i * pcm.channels + channel] / kFullScale;
        sum += v * v;
    }
    return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

int peak(const Pcm& pcm)
{
    int p = 0;
    for (size_t i = 0; i < pcm.frames * pcm.channels; ++i)
        p = std::max(p, std::abs(pcm.samples[i]));
    return p;
}

// The root-mean-square frequency of a window: for a sine it is its frequency.
double meanFrequency(const Pcm& pcm, size_t first, size_t count, int rate)
{
    double signal = 0.0, slope = 0.0;
    for (size_t i = first + 1; i < first + count; ++i) {
        double v = pcm.samples[i * pcm.channels], d = v - pcm.samples[(i - 1) * pcm.channels];
        signal += v * v;
        slope += d * d;
    }
    return signal > 0.0 ? rate / (2.0 * kPi) * std::sqrt(slope / signal) : 0.0;
}

int largestStep(const Pcm& pcm, int channel, size_t first, size_t count)
{
    int step = 0;
    for (size_t i = first + 1; i < first + count; ++i)
        step = std::max(step, std::abs(pcm.samples[i * pcm.channels + channel] -
                                       pcm.samples[(i - 1) * pcm.channels + channel]));
    return step;
}

// ---- The effects ------------------------------------------------------------------------

WavFile loadEffect(const SoundRange& sound)
{
    std::vector<uint8_t> bytes = readBytes(dataPath(sound.file));
    if (bytes.empty()) {
        WavFile missing;
        missing.error = "cannot read " + dataPath(sound.file);
        if (!std::getenv("KERB_DATA_DIR")) missing.error += " (KERB_DATA_DIR is not set)";
        return missing;
    }
    return parseWav(bytes);
}

class EffectFile : public ::testing::TestWithParam<SoundRange> {};

TEST_P(EffectFile, IsMonoPcm16WaveOfTheIntendedLength)
{
    WavFile wav = loadEffect(GetParam());
    ASSERT_EQ(wav.error, "");
    EXPECT_EQ(wav.formatTag, 1u);
    EXPECT_EQ(wav.channels, 1u);
    EXPECT_EQ(wav.bits, 16u);
    EXPECT_TRUE(wav.rate == 44100u || wav.rate == 22050u) << wav.rate;
    ASSERT_GT(wav.rate, 0u);
    double seconds = static_cast<double>(wav.samples.size()) / wav.rate;
    EXPECT_GE(seconds, GetParam().minSeconds);
    EXPECT_LE(seconds, GetParam().maxSeconds);
}

TEST_P(EffectFile, IsAudibleUnclippedAndFadedAtBothEnds)
{
    WavFile wav = loadEffect(GetParam());
    ASSERT_EQ(wav.error, "");
    ASSERT_FALSE(wav.samples.empty());
    Pcm pcm = {wav.samples.data(), wav.samples.size(), 1};
    EXPECT_LT(peak(pcm), 32767);
    EXPECT_GT(rms(pcm, 0, 0, pcm.frames), kAudibleRms * 5);
    const size_t tail = wav.rate * kTailSeconds;
    ASSERT_GT(pcm.frames, tail);
    EXPECT_LT(std::abs(wav.samples.front()) / kFullScale, kEdgeLevel);
    EXPECT_LT(rms(pcm, 0, pcm.frames - tail, tail), kEdgeLevel);
}

INSTANTIATE_TEST_SUITE_P(Sounds, EffectFile, ::testing::Values(kScoreEffect, kBumpEffect),
                         [](const ::testing::TestParamInfo<SoundRange>& info) {
                             return info.index == 0 ? std::string("Score") : std::string("Bump");
                         });

TEST(EffectCharacter, ScoreChimeClimbsAndBumpIsLow)
{
    WavFile chime = loadEffect(kScoreEffect);
    ASSERT_EQ(chime.error, "");
    Pcm c = {chime.samples.data(), chime.samples.size(), 1};
    const size_t tenth = chime.rate / 10;
    ASSERT_GE(c.frames, 3 * tenth);
    double early = meanFrequency(c, 0, tenth, static_cast<int>(chime.rate));
    double late = meanFrequency(c, 2 * tenth, tenth, static_cast<int>(chime.rate));
    EXPECT_GT(late, early * kChimeRise) << "early " << early << " Hz, late " << late << " Hz";

    WavFile bump = loadEffect(kBumpEffect);
    ASSERT_EQ(bump.error, "");
    Pcm b = {bump.samples.data(), bump.samples.size(), 1};
    EXPECT_LT(meanFrequency(b, 0, b.frames, static_cast<int>(bump.rate)), kDullBumpHz);
}

TEST(WaveChecks, RejectBrokenFiles)
{
    EXPECT_EQ(parseWav({}).error, "not a RIFF WAVE file");
    std::vector<uint8_t> header = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_EQ(parseWav(header).error, "no fmt chunk");
    std::vector<uint8_t> overlong = header;
    const uint8_t shortData[] = {'d', 'a', 't', 'a', 0x10, 0, 0, 0, 1, 2};
    overlong.insert(overlong.end(), std::begin(shortData), std::end(shortData));
    EXPECT_EQ(parseWav(overlong).error, "chunk data runs past the end of the file");
}

// ---- The music ----------------------------------------------------------------------

class MusicFile : public ::testing::TestWithParam<SoundRange> {
protected:
    static void SetUpTestSuite()
    {
        audioOpen = SDL_Init(SDL_INIT_AUDIO) == 0 &&
                    Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
    }
    static void TearDownTestSuite()
    {
        if (audioOpen) Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    static bool audioOpen;
};
bool MusicFile::audioOpen = false;

TEST_P(MusicFile, PlaysForTheIntendedTimeAtAModestBitRate)
{
    ASSERT_TRUE(audioOpen) << SDL_GetError();
    std::string path = dataPath(GetParam().file);
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    EXPECT_GE(seconds, GetParam().minSeconds);
    EXPECT_LE(seconds, GetParam().maxSeconds);
    double kbps = static_cast<double>(readBytes(path).size()) * 8.0 / 1000.0 / seconds;
    EXPECT_LE(kbps, kMaxMusicKbps);
}

TEST_P(MusicFile, DecodesUnclippedAndLoopsWithoutAClickOrGap)
{
    ASSERT_TRUE(audioOpen) << SDL_GetError();
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    ASSERT_EQ(format, AUDIO_S16SYS);
    Mix_Chunk* chunk = Mix_LoadWAV(dataPath(GetParam().file).c_str());
    ASSERT_NE(chunk, nullptr) << Mix_GetError();
    Pcm pcm = {reinterpret_cast<const int16_t*>(chunk->abuf),
               chunk->alen / (2u * static_cast<unsigned>(channels)), channels};
    double seconds = static_cast<double>(pcm.frames) / rate;
    EXPECT_GE(seconds, GetParam().minSeconds);
    EXPECT_LE(seconds, GetParam().maxSeconds);
    EXPECT_LT(peak(pcm), 32767);
    EXPECT_GT(rms(pcm, 0, 0, pcm.frames), kAudibleRms * 5);

    const size_t window = static_cast<size_t>(kSeamWindowSeconds * rate);
    const size_t gap = static_cast<size_t>(kGapWindowSeconds * rate);
    ASSERT_GT(pcm.frames, 2 * window);
    {
        for (int ch = 0; ch < channels; ++ch) {
            // When the loop comes round, the step from the last sample to the first must
            // look like any other step near it, and neither side may fall silent.
            int seam = std::abs(pcm.samples[ch] - pcm.samples[(pcm.frames - 1) * channels + ch]);
            int around = std::max(largestStep(pcm, ch, pcm.frames - window, window),
                                  largestStep(pcm, ch, 0, window));
            EXPECT_LE(seam, around * kSeamStepMargin) << "channel " << ch;
            EXPECT_GT(rms(pcm, ch, 0, gap), kAudibleRms) << "silence at the start, channel " << ch;
            EXPECT_GT(rms(pcm, ch, pcm.frames - gap, gap), kAudibleRms)
                << "silence at the end, channel " << ch;
        }
    }
    Mix_FreeChunk(chunk);
}

INSTANTIATE_TEST_SUITE_P(Sounds, MusicFile, ::testing::Values(kMenuMusic, kGameMusic),
                         [](const ::testing::TestParamInfo<SoundRange>& info) {
                             return info.index == 0 ? std::string("Menu") : std::string("Game");
                         });

}  // namespace test_sounds
