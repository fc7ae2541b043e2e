// The files the game plays.
// Depends on: sound_files.h.
#include "app/sound_files.h"

const char* const MENU_MUSIC_FILE = "audio/Organ4U.mp3";
const char* const GAME_MUSIC_FILE = "audio/NotBond.mp3";
const char* const SCORE_SOUND_FILE = "audio/powerup.wav";
const char* const BUMP_SOUND_FILE = "audio/rempl.wav";

const char* const SOUND_FILES[SOUND_FILE_COUNT] = {MENU_MUSIC_FILE, GAME_MUSIC_FILE,
                                                   SCORE_SOUND_FILE, BUMP_SOUND_FILE};
