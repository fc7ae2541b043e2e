// Start-up: the player's name and the window's globals.
// Depends on: projection.h.
#pragma once
#include "app/projection.h"

#include <cstdio>

const int NAME_INPUT_SIZE = 40;
const int PLAYER_NAME_SIZE = 8;      // 7 stored characters and a NUL
const int NAME_READ_LIMIT = 39;      // longest word read from the console
const float INITIAL_WINDOW_WIDTH = 1024.0f;
const float INITIAL_WINDOW_HEIGHT = 768.0f;

extern const char* const NAME_PROMPT;
extern const char* const START_MESSAGE;
extern const char* const WINDOW_TITLE;

extern char nameInput[NAME_INPUT_SIZE];
extern char playerName[PLAYER_NAME_SIZE];
extern int windowId;
extern float windowWidth;
extern float windowHeight;

// Reads one word (at most 39 characters) into nameInput; the rest of the line stays unread.
// End of input before a word leaves nameInput as it was.
void readNameWord(std::FILE* in);
// Copies exactly the first 7 bytes of the given 40-byte buffer into playerName.
void storePlayerName(const char* input);
// Puts a name given on the command line through the same buffer as a typed one.
void setNameFromArgument(const char* name);
