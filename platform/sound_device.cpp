// Sound output through SDL2_mixer: one looping music stream, samples on mixer channels.
// Depends on: sound.h, sound_names.h (the names for the trace), SDL2, SDL2_mixer, POSIX file
// descriptors (to quiet the audio start).
#include "platform/sound.h"

#include "platform/sound_names.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

struct SoundStream {
    Mix_Music* music;  // null without a device or a readable file
    std::string name;
};

struct SoundSample {
    Mix_Chunk* chunk;  // null without a device or a readable file
    std::string name;
};

namespace {
const int AUDIO_BUFFER_FRAMES = 1024;
const int AUDIO_OUTPUT_CHANNELS = 2;
const char* const NULL_DEVICE = "/dev/null";
bool audioOpen = false;
bool initTried = false;
const SoundStream* playingStream = nullptr;

// The sound libraries write several lines to standard error when they look for a device
// and find none; the game says it once in its own words instead.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        int sink = open(NULL_DEVICE, O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
        if (sink >= 0) close(sink);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved < 0) return;
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved;
};

bool openAudioDevice(int mixRate)
{
    QuietStandardError quiet;
    // SDL would turn Ctrl-C and SIGTERM into quit events that the game never reads: left
    // alone, both end the game at once with the signal's status, as they do before sound
    // starts (the table is only ever replaced whole, so it is never left torn).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    return Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, AUDIO_OUTPUT_CHANNELS,
                         AUDIO_BUFFER_FRAMES) == 0;
}
}  // namespace

void soundInit(int mixRate, int channels)
{
    // A second start keeps the device (and the music still playing on it).
    if (initTried) return;
    initTried = true;
    if (!openAudioDevice(mixRate)) {
        std::fputs(NO_SOUND_DEVICE_MESSAGE, stderr);
        return;
    }
    Mix_AllocateChannels(channels);
    audioOpen = true;
}

SoundStream* soundOpenStream(const char* path)
{
    if (!path) return nullptr;
    soundNoteOpened();
    return new SoundStream{audioOpen ? Mix_LoadMUS(path) : nullptr, path};
}

SoundSample* soundLoadSample(const char* path)
{
    if (!path) return nullptr;
    soundNoteOpened();
    return new SoundSample{audioOpen ? Mix_LoadWAV(path) : nullptr, path};
}

void soundFreeStream(SoundStream* stream)
{
    if (!stream) return;
    if (stream == playingStream) {
        Mix_HaltMusic();
        playingStream = nullptr;
    }
    if (stream->music) Mix_FreeMusic(stream->music);
    delete stream;
    soundNoteFreed();
}

void soundFreeSample(SoundSample* sample)
{
    if (!sample) return;
    // The mixer stops every channel still playing the chunk before it lets it go.
    if (sample->chunk) Mix_FreeChunk(sample->chunk);
    delete sample;
    soundNoteFreed();
}

void soundPlayStream(int /*channel*/, SoundStream* stream)
{
    // The mixer has a single music stream: starting the game music replaces the menu music.
    if (!stream) return;
    soundNoteStarted(stream->name.c_str());
    if (stream->music && Mix_PlayMusic(stream->music, -1) == 0) playingStream = stream;
}

void soundPlaySample(int channel, SoundSample* sample)
{
    if (!sample) return;
    soundNoteStarted(sample->name.c_str());
    if (sample->chunk) Mix_PlayChannel(channel, sample->chunk, 0);
}
