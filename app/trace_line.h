// The trace: one JSON object per frame, on one line, describing the game after that frame.
// Built from the values alone, so that what a line says follows from what was gathered.
// Depends on: json_text.h, vector3.h.
#pragma once
#include "player/vector3.h"

#include <cstdint>
#include <string>
#include <vector>

// One passer-by: where it is, which way it walks, its flyer state and its model's keyframe.
struct TraceCharacter {
    Vector3 position;
    float heading;
    bool isNear;
    bool isReady;
    int32_t frame;
};

struct TraceValues {
    long frame;
    uint32_t clockMs;
    bool menuMode;
    int menuIndex;
    bool aboutShown;
    bool helpShown;
    bool gameOver;
    int score;
    int secondsLeft;
    int forwardAxis;
    int strafeAxis;
    bool fistShown;
    bool flyerClick;
    float frameTime;
    float frameWallMs;
    float moveSpeed;
    float windowWidth;
    float windowHeight;
    std::string playerName;                 // its 7 bytes
    Vector3 position;
    Vector3 view;
    std::vector<TraceCharacter> characters;  // in roster order
    int charactersOutsideView;
    std::vector<std::string> highscores;    // each record's bytes; written once the game is over
    std::vector<std::string> sounds;        // started this frame
};

// The line without its line break.
std::string traceLine(const TraceValues& values);
