// Sound output in the browser through Web Audio: one looping music stream, samples on
// numbered channels, as the desktop's mixer plays them. The files come from the preloaded
// data; the browser decodes them (MP3 and WAV) in the background, so a sound asked for
// before its decode is done starts when it is (music) or is skipped (a sample).
// The page may create the audio context itself in a click (Module.kerbAudioContext), since
// browsers keep audio silent until the player has clicked or pressed a key; the page also
// resumes it on the first click and says when sound waits for one.
// Depends on: platform/sound.h, platform/sound_names.h (the names for the trace),
// platform/file_read.h, emscripten's EM_JS.
#include "platform/sound.h"

#include "platform/file_read.h"
#include "platform/sound_names.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {
// The largest sound file read: the game's music is well under 1 MB.
const uint64_t SOUND_FILE_MAX_BYTES = 16u * 1024 * 1024;
const int NO_SOUND = 0;
bool initTried = false;
bool audioOpen = false;
}  // namespace

struct SoundStream {
    int sound;  // the page's decoded sound, NO_SOUND without a device or a readable file
    std::string name;
};

struct SoundSample {
    int sound;  // as for a stream
    std::string name;
};

// The page's side: sounds by number, the music playing, the source on each channel.
EM_JS(int, webSoundStart, (), {
    var AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!Module.kerbAudioContext && !AudioContextClass) return 0;
    try {
        var context = Module.kerbAudioContext || new AudioContextClass();
        Module.kerbAudioContext = context;
        var state = {context: context, sounds: {}, next: 1, music: null, channels: {}};
        state.stop = function(source) {
            try { source.stop(); } catch (e) {}
        };
        state.startMusic = function() {
            var source = context.createBufferSource();
            source.buffer = state.sounds[state.music.id].buffer;
            source.loop = true;
            source.connect(context.destination);
            source.start();
            state.music.source = source;
        };
        Module.kerbSound = state;
        if (Module.kerbAudioStarted) Module.kerbAudioStarted(context);
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, webSoundDecode, (const uint8_t* bytes, int size), {
    var state = Module.kerbSound;
    var id = state.next++;
    var sound = {buffer: null};
    state.sounds[id] = sound;
    var copy = HEAPU8.slice(bytes, bytes + size).buffer;
    var done = function(buffer) {
        if (state.sounds[id] !== sound) return;
        sound.buffer = buffer;
        if (state.music && state.music.id === id && !state.music.source) state.startMusic();
    };
    // A file the browser cannot decode plays nothing, as a damaged file does on the desktop.
    var failed = function() {};
    try {
        var promise = state.context.decodeAudioData(copy, done, failed);
        if (promise && promise.catch) promise.catch(failed);
    } catch (e) {
        failed();
    }
    return id;
});

EM_JS(void, webSoundStopSource, (int id), {
    var state = Module.kerbSound;
    if (state.music && state.music.id === id) {
        if (state.music.source) state.stop(state.music.source);
        state.music = null;
    }
    for (var channel in state.channels) {
        if (state.channels[channel].id === id) {
            state.stop(state.channels[channel].source);
            delete state.channels[channel];
        }
    }
});

EM_JS(void, webSoundForget, (int id), { delete Module.kerbSound.sounds[id]; });

EM_JS(void, webSoundPlayMusic, (int id), {
    var state = Module.kerbSound;
    if (state.music && state.music.source) state.stop(state.music.source);
    state.music = {id: id, source: null};
    var sound = state.sounds[id];
    if (sound && sound.buffer) state.startMusic();
});

EM_JS(void, webSoundPlaySample, (int channel, int id), {
    var state = Module.kerbSound;
    var sound = state.sounds[id];
    var playing = state.channels[channel];
    if (playing) {
        state.stop(playing.source);
        delete state.channels[channel];
    }
    if (!sound || !sound.buffer) return;
    var source = state.context.createBufferSource();
    source.buffer = sound.buffer;
    source.connect(state.context.destination);
    source.onended = function() {
        if (state.channels[channel] && state.channels[channel].source === source)
            delete state.channels[channel];
    };
    source.start();
    state.channels[channel] = {id: id, source: source};
});

namespace {

int decodeFile(const char* path)
{
    if (!audioOpen) return NO_SOUND;
    FileReadResult file = readFile(path, SOUND_FILE_MAX_BYTES);
    if (file.error != FileReadError::None || file.bytes.empty()) return NO_SOUND;
    return webSoundDecode(file.bytes.data(), (int)file.bytes.size());
}

void release(int sound)
{
    if (sound == NO_SOUND) return;
    webSoundStopSource(sound);
    webSoundForget(sound);
}

}  // namespace

void soundInit(int /*mixRate*/, int /*channels*/)
{
    // A second start keeps the context (and the music still playing in it).
    if (initTried) return;
    initTried = true;
    audioOpen = webSoundStart() != 0;
    if (!audioOpen) std::fputs(NO_SOUND_DEVICE_MESSAGE, stderr);
}

SoundStream* soundOpenStream(const char* path)
{
    if (!path) return nullptr;
    soundNoteOpened();
    return new SoundStream{decodeFile(path), path};
}

SoundSample* soundLoadSample(const char* path)
{
    if (!path) return nullptr;
    soundNoteOpened();
    return new SoundSample{decodeFile(path), path};
}

void soundFreeStream(SoundStream* stream)
{
    if (!stream) return;
    release(stream->sound);
    delete stream;
    soundNoteFreed();
}

void soundFreeSample(SoundSample* sample)
{
    if (!sample) return;
    release(sample->sound);
    delete sample;
    soundNoteFreed();
}

void soundPlayStream(int /*channel*/, SoundStream* stream)
{
    // One music stream, as on the desktop: the game music replaces the menu music.
    if (!stream) return;
    soundNoteStarted(stream->name.c_str());
    if (stream->sound != NO_SOUND) webSoundPlayMusic(stream->sound);
}

void soundPlaySample(int channel, SoundSample* sample)
{
    if (!sample) return;
    soundNoteStarted(sample->name.c_str());
    if (sample->sound != NO_SOUND) webSoundPlaySample(channel, sample->sound);
}
