// The game's music and its two effects.
// Depends on: game_state.h, the platform sound layer.
#pragma once

struct GameState;
struct SoundStream;
struct SoundSample;

const int SOUND_MIX_RATE = 44100;
const int SOUND_CHANNELS = 128;
const int MENU_MUSIC_CHANNEL = 7;
const int GAME_MUSIC_CHANNEL = 3;
const int EFFECT_CHANNEL = 0;

extern const char* const MENU_MUSIC_FILE;   // "audio/Organ4U.mp3"
extern const char* const GAME_MUSIC_FILE;   // "audio/NotBond.mp3"
extern const char* const SCORE_SOUND_FILE;  // "audio/powerup.wav"
extern const char* const BUMP_SOUND_FILE;   // "audio/rempl.wav"

extern SoundStream* musicStream;
extern SoundSample* scoreSample;
extern SoundSample* bumpSample;

// Runs at start-up (menu music) and again when the game starts (game music).
void initSound();
void playScoreSound();
void playBumpSound();
// The overlay's sound triggers for one play frame: a bump noted by a passer-by, then a score
// that changed since the overlay last saw it. Both play on the effect channel, bump first.
void playEffectTriggers(GameState& state);
