// The autopilot: a player made of code for the demo. It sees what a player sees after a
// frame and answers with the keys, buttons and pointer moves a player would make.
// Depends on: script.h (the events it makes), camera.h, roster.h, game_state.h,
// street_table.h. No GL: the game feeds its events through the input callbacks.
#pragma once
#include "app/script.h"
#include "characters/roster.h"
#include "player/camera.h"

#include <cstdint>
#include <vector>

struct GameState;
struct StreetQuad;

// The demo's player, unless --name gives another.
extern const char* const DEMO_PLAYER_NAME;

// ---- What the player sees ----

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

// ---- The street as the autopilot walks it ----

// A wall at the eye's height, seen from above: a segment in x and z.
struct WallSegment {
    float x0, z0, x1, z1;
};

// The upright quads of the street that the eye could bump into.
std::vector<WallSegment> streetWalls(const StreetQuad* quads, int quadCount);
// Distance in x and z from a point to the nearest wall.
float wallClearance(const std::vector<WallSegment>& walls, float x, float z);

// The play area in cells of one unit: a cell is free when the eye's sphere fits at its middle.
struct StreetGrid {
    int columns;   // along x
    int rows;      // along z
    std::vector<unsigned char> free;
};

StreetGrid buildStreetGrid(const std::vector<WallSegment>& walls);
// True when the eye can walk straight from one point to the other without touching a wall
// (the first unit is not checked, so that a walk away from a wall it touches is allowed).
bool walkClear(const std::vector<WallSegment>& walls, float x0, float z0, float x1, float z1);
// Where to walk next on the way to goal: goal itself when the way is straight and clear,
// else the furthest point of a shortest way through the grid that can be walked straight to.
Vector3 nextWaypoint(const StreetGrid& grid, const std::vector<WallSegment>& walls,
                     const Vector3& from, const Vector3& goal);

// ---- Decisions ----

// What the autopilot remembers of one passer-by.
struct TrackedCharacter {
    bool known;
    Vector3 position;
    float velocityX, velocityZ;  // units per millisecond, from two sightings
    uint32_t seenMs;
    uint32_t readyAgainMs;       // its cone was red: it takes no flyer before this
    uint32_t ignoreUntilMs;      // chased without reaching it: leave it for a while
    int points;
};

// A passer-by to keep clear of, where it will be.
struct MovingObstacle {
    float x, z;
    float velocityX, velocityZ;  // units per millisecond
};

// The keys held for walking: -1, 0 or +1 per axis (w/s and d/a).
struct WalkKeys {
    int forward;
    int strafe;
};

struct Autopilot {
    bool menuSeen;
    uint32_t menuSinceMs;
    bool enterHeld;
    bool tableSeen;
    uint32_t tableSinceMs;
    WalkKeys keys;
    bool leftButtonHeld;
    uint32_t lastClickMs;
    bool fistRaised;
    int target;                  // roster index, or -1
    uint32_t targetSinceMs;
    int patrolDirection;         // -1 walks towards -z, +1 towards +z
    bool haveLastView;
    uint32_t lastViewMs;
    Vector3 stuckCheckPosition;
    uint32_t stuckCheckMs;
    std::vector<WallSegment> walls;
    StreetGrid grid;
    TrackedCharacter tracked[ROSTER_SIZE];
};

// A fresh autopilot that knows the street's walls.
Autopilot makeAutopilot(const std::vector<WallSegment>& walls);

// The passer-by to walk to: the nearest seen one whose cone would be green (not seen red
// in the last 15 seconds), keeping the current target unless another is clearly nearer.
// Returns a roster index or -1.
int chooseTarget(const Autopilot& pilot, const PlayerView& view);

// The walking keys for the next moment: the combination whose path over a short look
// ahead comes closest to the goal without running into a wall or a passer-by.
WalkKeys chooseWalkKeys(const Vector3& eye, float lookYaw, const Vector3& goal,
                        const std::vector<WallSegment>& walls,
                        const std::vector<MovingObstacle>& others, const WalkKeys& current);

// Yaw (radians, counter-clockwise seen from above) of a horizontal direction; the
// passers-by's heading in radians.
float yawOf(float dx, float dz);
// The pointer position that turns the view by yaw and pitch (radians) in one move.
void pointerForTurn(int windowWidth, int windowHeight, float yaw, float pitch, int& x, int& y);

// One decision after a frame: the events to deliver before the next one.
std::vector<ScriptEvent> autopilotStep(Autopilot& pilot, const PlayerView& view);
