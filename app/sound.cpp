// Music choice by game mode, and the score and bump effects.
// Depends on: sound.h, game_state.h, platform/sound.h.
#include "app/sound.h"

#include "app/game_state.h"
#include "platform/sound.h"

SoundStream* musicStream = nullptr;
SoundSample* scoreSample = nullptr;
SoundSample* bumpSample = nullptr;

void initSound()
{
    soundInit(SOUND_MIX_RATE, SOUND_CHANNELS);
    // The game start runs this again: what the menu loaded is let go once the new set is in
    // place, the menu music stopping when the game music replaces it.
    SoundStream* oldStream = musicStream;
    SoundSample* oldScore = scoreSample;
    SoundSample* oldBump = bumpSample;
    musicStream = soundOpenStream(gameState.menuMode ? MENU_MUSIC_FILE : GAME_MUSIC_FILE);
    scoreSample = soundLoadSample(SCORE_SOUND_FILE);
    bumpSample = soundLoadSample(BUMP_SOUND_FILE);
    soundPlayStream(gameState.menuMode ? MENU_MUSIC_CHANNEL : GAME_MUSIC_CHANNEL, musicStream);
    soundFreeStream(oldStream);
    soundFreeSample(oldScore);
    soundFreeSample(oldBump);
}

void playScoreSound() { soundPlaySample(EFFECT_CHANNEL, scoreSample); }
void playBumpSound() { soundPlaySample(EFFECT_CHANNEL, bumpSample); }

void playEffectTriggers(GameState& state)
{
    if (state.bumpSound) {
        state.bumpSound = false;
        playBumpSound();
    }
    if (state.score != state.lastScore) {
        state.lastScore = state.score;
        playScoreSound();
    }
}
