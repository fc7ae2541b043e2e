// Start-up: the player's name, the window, the fixed GL state and loading every asset.
// Depends on: game_state.h, camera.h, the world and sound modules, GLUT.
#pragma once
#include <cstdio>

const int NAME_INPUT_SIZE = 40;
const int PLAYER_NAME_SIZE = 8;      // 7 stored characters and a NUL
const int NAME_READ_LIMIT = 39;      // longest word read from the console
const float INITIAL_WINDOW_WIDTH = 1024.0f;
const float INITIAL_WINDOW_HEIGHT = 768.0f;
const double FIELD_OF_VIEW_DEGREES = 45.0;
const double NEAR_PLANE = 1.0;
const double FAR_PLANE = 10000.0;

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

void reshapeWindow(int width, int height);
// Saves the projection and replaces it with window pixels (origin top left, y downwards),
// leaving the model-view matrix selected; endWindowPixels restores the saved projection.
void beginWindowPixels();
void endWindowPixels();
void initGame();
