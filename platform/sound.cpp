// Sound output through SDL2_mixer: one looping music stream, samples on mixer channels.
// Depends on: sound.h, SDL2, SDL2_mixer.
#include "platform/sound.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <string>
#include <vector>

struct SoundStream {
    Mix_Music* music;
    std::string name;
};

struct SoundSample {
    Mix_Chunk* chunk;
    std::string name;
};

namespace {
const int AUDIO_BUFFER_FRAMES = 1024;
const int STARTED_LOG_LIMIT = 64;
bool audioOpen = false;
bool initTried = false;
std::vector<std::string> startedNames;
std::vector<std::string> takenNames;  // keeps the strings handed out alive until the next take

void noteStarted(const std::string& name)
{
    if ((int)startedNames.size() < STARTED_LOG_LIMIT) startedNames.push_back(name);
}
}  // namespace

void soundInit(int mixRate, int channels)
{
    // A second start keeps the device (and the music still playing on it).
    if (initTried) return;
    initTried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, 2, AUDIO_BUFFER_FRAMES) != 0) return;
    Mix_AllocateChannels(channels);
    audioOpen = true;
}

SoundStream* soundOpenStream(const char* path)
{
    if (!audioOpen) return nullptr;
    Mix_Music* music = Mix_LoadMUS(path);
    if (!music) return nullptr;
    return new SoundStream{music, path};
}

SoundSample* soundLoadSample(const char* path)
{
    if (!audioOpen) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (!chunk) return nullptr;
    return new SoundSample{chunk, path};
}

void soundPlayStream(int /*channel*/, SoundStream* stream)
{
    // The mixer has a single music stream: starting the game music replaces the menu music.
    if (!stream) return;
    if (Mix_PlayMusic(stream->music, -1) == 0) noteStarted(stream->name);
}

void soundPlaySample(int channel, SoundSample* sample)
{
    if (!sample) return;
    if (Mix_PlayChannel(channel, sample->chunk, 0) >= 0) noteStarted(sample->name);
}

int soundTakeStartedNames(const char** names, int capacity)
{
    takenNames.swap(startedNames);
    startedNames.clear();
    int n = 0;
    for (const std::string& s : takenNames) {
        if (n >= capacity) break;
        names[n++] = s.c_str();
    }
    return n;
}
