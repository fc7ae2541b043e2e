// Music choice by game mode, and the score and bump effects.
// Depends on: sound_device.h, game_state.h, play_step.h, platform/sound.h.
#include "app/sound_device.h"

#include "app/game_state.h"
#include "app/play_step.h"
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

void playEffectSounds(const PlayFrame& frame)
{
    if (frame.bumpSound) playBumpSound();
    if (frame.scoreSound) playScoreSound();
}
