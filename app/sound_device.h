// The game's music and its two effects.
// Depends on: game_state.h, play_step.h, sound_files.h, the platform sound layer (linked by the game only).
#pragma once

#include "app/sound_files.h"

struct GameState;
struct PlayFrame;
struct SoundStream;
struct SoundSample;

const int SOUND_MIX_RATE = 44100;
const int SOUND_CHANNELS = 128;
const int MENU_MUSIC_CHANNEL = 7;
const int GAME_MUSIC_CHANNEL = 3;
const int EFFECT_CHANNEL = 0;

extern SoundStream* musicStream;
extern SoundSample* scoreSample;
extern SoundSample* bumpSample;

// Runs at start-up (menu music) and again when the game starts (game music).
void initSound();
void playScoreSound();
void playBumpSound();
// The effects a play frame started: bump first, then the score; both on the effect channel.
void playEffectSounds(const PlayFrame& frame);
