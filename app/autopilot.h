// The autopilot: a player made of code for the demo. It sees what a player sees after a
// frame (autopilot_sight.h), walks the street by its own map (autopilot_street.h) and answers
// with the keys, buttons and pointer moves a player would make.
// Depends on: script.h (the events it makes), autopilot_sight.h, autopilot_street.h,
// roster.h. No GL: the game feeds its events through the input callbacks.
#pragma once
#include "app/autopilot_sight.h"
#include "app/autopilot_street.h"
#include "app/script.h"
#include "characters/roster.h"

#include <cstdint>
#include <vector>

// The demo's player, unless --name gives another.
extern const char* const DEMO_PLAYER_NAME;

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
