// The sound device: what the trace lists as started, in which order, and that starting the
// game music lets the menu's sounds go.
#include "app/game_state.h"
#include "app/play_step.h"
#include "app/sound_device.h"
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace test_sound_device {

const int NAME_CAPACITY = 16;

std::vector<std::string> takeStarted()
{
    const char* names[NAME_CAPACITY];
    int n = soundTakeStartedNames(names, NAME_CAPACITY);
    return std::vector<std::string>(names, names + n);
}

class HudSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameState = initialGameState();
        initSound();
        takeStarted();
    }
};

TEST_F(HudSoundTest, APlayFramesEffectsStartBumpFirst)
{
    PlayFrame frame{};
    frame.bumpSound = frame.scoreSound = true;
    playEffectSounds(frame);
    EXPECT_EQ(takeStarted(), (std::vector<std::string>{BUMP_SOUND_FILE, SCORE_SOUND_FILE}));
    frame.bumpSound = false;
    playEffectSounds(frame);
    EXPECT_EQ(takeStarted(), std::vector<std::string>{SCORE_SOUND_FILE});
}

TEST_F(HudSoundTest, TheGameStartSwapsTheMusicAndLetsTheMenuSoundsGo)
{
    int handles = soundOpenHandleCount();
    EXPECT_EQ(handles, 3);
    gameState.menuMode = false;
    initSound();
    EXPECT_EQ(takeStarted(), std::vector<std::string>{GAME_MUSIC_FILE});
    EXPECT_EQ(soundOpenHandleCount(), handles);
    gameState.menuMode = true;
    initSound();
    EXPECT_EQ(takeStarted(), std::vector<std::string>{MENU_MUSIC_FILE});
    EXPECT_EQ(soundOpenHandleCount(), handles);
}

// A short 16-bit mono WAV: the mixer can load it as a sample and as music.
std::string writeWav(const std::string& path)
{
    const uint32_t rate = 44100, samples = 4410;
    std::vector<uint8_t> b;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    b = {'R', 'I', 'F', 'F'};
    put(36 + samples * 2, 4);
    for (char c : std::string("WAVEfmt ")) b.push_back((uint8_t)c);
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    for (char c : std::string("data")) b.push_back((uint8_t)c);
    put(samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i) put((i * 700) & 0x3fff, 2);
    std::ofstream(path, std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
    return path;
}

TEST(SoundHandles, PlayingHandlesCanBeReplacedAndFreed)
{
    soundInit(SOUND_MIX_RATE, SOUND_CHANNELS);
    std::string wav = writeWav((std::filesystem::temp_directory_path() /
                                ("kerb-sound-" + std::to_string(getpid()) + ".wav")).string());
    takeStarted();
    int before = soundOpenHandleCount();
    SoundStream* first = soundOpenStream(wav.c_str());
    SoundSample* sample = soundLoadSample(wav.c_str());
    soundPlayStream(GAME_MUSIC_CHANNEL, first);
    soundPlaySample(EFFECT_CHANNEL, sample);
    SoundStream* second = soundOpenStream(wav.c_str());
    soundPlayStream(MENU_MUSIC_CHANNEL, second);
    soundFreeStream(first);   // replaced, no longer playing
    soundFreeStream(second);  // still playing: stopped first
    soundFreeSample(sample);  // may still be playing on channel 0
    EXPECT_EQ(soundOpenHandleCount(), before);
    EXPECT_EQ(takeStarted(), (std::vector<std::string>{wav, wav, wav}));
    // A file that is not there still has a handle, so the trace can name it.
    SoundSample* missing = soundLoadSample("no/such/file.wav");
    ASSERT_NE(missing, nullptr);
    soundPlaySample(EFFECT_CHANNEL, missing);
    EXPECT_EQ(takeStarted(), std::vector<std::string>{"no/such/file.wav"});
    soundFreeSample(missing);
    std::remove(wav.c_str());
}

}  // namespace test_sound_device
