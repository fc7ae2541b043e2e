// What the autopilot sees after a frame, as a player sees it on the screen: the HUD's values
// and the passers-by in sight, worked out from the game state and the projection's maths.
// Depends on: camera.h, roster.h, game_state.h, street_table.h. No GL.
#pragma once
#include "characters/roster.h"
#include "player/camera.h"

#include <cstdint>
#include <vector>

struct GameState;
struct StreetQuad;

// The autopilot's angles are floats.
const float PI_F = 3.14159265358979f;

// A passer-by on the screen: in front of the eye, inside the picture, not behind a wall.
struct SeenCharacter {
    int index;          // the same passer-by from frame to frame, told apart by its looks
    Vector3 position;
    bool coneShown;     // its cone is on the screen
    bool coneGreen;
    int points;         // what its kind gives for a flyer, which its looks tell
};

struct PlayerView {
    uint32_t clockMs;   // the player's sense of time
    bool menuMode;
    int menuIndex;
    bool pageShown;     // the about or help page
    bool gameOver;      // the table is on the screen
    int score;
    int secondsLeft;
    bool fistShown;
    Camera eye;         // where the player stands and looks
    int windowWidth;
    int windowHeight;
    std::vector<SeenCharacter> seen;
};

// True when p lies in front of the eye and inside the picture of a window with this aspect.
bool pointInPicture(const Camera& eye, const Vector3& p, float aspect);
// True when no quad of the street lies on the straight line between the two points.
bool lineOfSightClear(const Vector3& from, const Vector3& to, const StreetQuad* quads,
                      int quadCount);
// What the screen shows after a frame: the HUD and the passers-by in sight.
PlayerView observeGame(const GameState& game, const Camera& eye, const Character* characters,
                       int characterCount, float windowWidth, float windowHeight,
                       uint32_t clockMs);
