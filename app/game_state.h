// The flags and counters through which input, play, the overlay and sound talk.
// Depends on: nothing.
#pragma once

const int MENU_ITEM_COUNT = 4;        // start, about, help, quit
const int GAME_SECONDS = 150;         // shown as 2:30
const int MENU_ITEM_START = 0;
const int MENU_ITEM_ABOUT = 1;
const int MENU_ITEM_HELP = 2;
const int MENU_ITEM_QUIT = 3;

struct GameState {
    bool menuMode;
    int menuIndex;
    int menuCount;
    bool aboutShown;
    bool helpShown;
    bool gameOver;
    int score;
    int lastScore;
    int secondsLeft;
    float secondTick;       // clock (ms) of the last countdown tick
    int forwardAxis;        // +1 per press of w, -1 per press of s
    int strafeAxis;         // +1 per press of d, -1 per press of a
    bool flyerClick;
    bool bumpSound;
    bool fistShown;
    float frameTime;        // seconds between the two latest play frames
    float lastFrameSeconds;
    float moveSpeed;        // distance along one axis this frame
};

extern GameState gameState;

// The state a run starts with (also used by tests to start afresh).
GameState initialGameState();
