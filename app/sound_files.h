// The files the game plays, relative to the data directory: read by the game and the inspector.
// Depends on: nothing.
#pragma once

extern const char* const MENU_MUSIC_FILE;   // "audio/Organ4U.mp3"
extern const char* const GAME_MUSIC_FILE;   // "audio/NotBond.mp3"
extern const char* const SCORE_SOUND_FILE;  // "audio/powerup.wav"
extern const char* const BUMP_SOUND_FILE;   // "audio/rempl.wav"

// All four, for whatever goes through every sound file (the inspector's check).
const int SOUND_FILE_COUNT = 4;
extern const char* const SOUND_FILES[SOUND_FILE_COUNT];
