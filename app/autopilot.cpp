// The autopilot's decisions after each frame: which passer-by to walk to, which keys to
// hold, where to turn, when to click, and the input events that carry them out.
// Depends on: autopilot.h, autopilot_sight.h, autopilot_street.h, key_codes.h,
// character_step.h (the flyer pause), collision.h (the eye's radius), camera.h (walking
// speed, mouse look, the play area), game_state.h (the menu's items).
#include "app/autopilot.h"

#include "app/game_state.h"
#include "app/key_codes.h"
#include "characters/character_step.h"
#include "player/collision.h"

#include <algorithm>
#include <cmath>

const char* const DEMO_PLAYER_NAME = "demo";

namespace {

// How the autopilot plays: times in milliseconds of the game's clock, distances in scene units.
const uint32_t MENU_WAIT_MS = 3000;        // the menu stays on the screen this long, and a
                                           // full-screen window has its size by then
const uint32_t TABLE_WAIT_MS = 4000;       // and the table this long before Escape
const uint32_t CLICK_INTERVAL_MS = 120;    // a quick finger: about eight clicks a second
const uint32_t SIGHTING_MEMORY_MS = 800;   // a passer-by out of sight is still where it was
const uint32_t AVOID_MEMORY_MS = 2500;     // and is kept clear of for a little longer
const uint32_t VELOCITY_GAP_MS = 500;      // two sightings further apart give no speed
const uint32_t CHASE_LIMIT_MS = 6000;      // a passer-by not reached by then is left alone
const uint32_t CHASE_PAUSE_MS = 4000;      // for this long
const uint32_t INTERCEPT_LIMIT_MS = 1000;  // how far ahead a walking passer-by is foreseen
const uint32_t STUCK_CHECK_MS = 1500;
const float STUCK_DISTANCE = 0.5f;
const float STAND_DISTANCE = 2.8f;         // from a passer-by: near enough for its cone
const float POINTS_WEIGHT = 0.5f;          // a 3-point flyer is worth a walk twice as long
const float KEEP_TARGET_FACTOR = 0.7f;     // the current target counts as this much nearer
const float TURN_RATE = 5.0f;              // radians per second at most
const float LEVEL_PITCH = -0.03f;          // looks a little down, at the passers-by
const float FIRST_VIEW_MS = 16.0f;
const float MAX_VIEW_GAP_MS = 100.0f;

// Walking: the street side of the columns, from one end of the play area to the other.
const float PATROL_X = -11.0f;
const float PATROL_FAR_Z = -212.0f;
const float PATROL_NEAR_Z = -46.0f;
const float PATROL_TURN_MARGIN = 5.0f;
const float PATROL_LEG = 20.0f;

// Looking ahead when choosing keys.
const float PLAN_HORIZON_S = 0.5f;
const int PLAN_SAMPLES = 5;
const float WALL_CLEARANCE = COLLISION_RADIUS + 0.3f;  // the eye's sphere and a margin
const float CHARACTER_CLEARANCE = 2.6f;    // the bump comes at about 1.5 in x and z
const float WALL_PENALTY = 100.0f;
const float CHARACTER_PENALTY = 200.0f;
const float KEY_CHANGE_COST = 0.05f;
const float BACKWARD_COST = 1.5f;          // walking where the eye does not look
const float SIDEWAYS_COST = 0.6f;

// The fist goes up for ten seconds in the middle of the game.
const int FIST_UP_SECONDS_LEFT = 80;
const int FIST_DOWN_SECONDS_LEFT = 70;

float wrapAngle(float a)
{
    while (a > PI_F) a -= 2 * PI_F;
    while (a < -PI_F) a += 2 * PI_F;
    return a;
}

float clampMagnitude(float v, float limit) { return std::max(-limit, std::min(limit, v)); }

void press(std::vector<ScriptEvent>& out, ScriptAction action, int key, bool special = false)
{
    ScriptEvent ev{};
    ev.action = action;
    ev.key = key;
    ev.special = special;
    out.push_back(ev);
}

void button(std::vector<ScriptEvent>& out, ScriptAction action, int which)
{
    ScriptEvent ev{};
    ev.action = action;
    ev.button = which;
    out.push_back(ev);
}

// The key changes that take one axis from what is held to what is wanted. Releasing either
// key of an axis stops it, so the old key goes up before the new one goes down.
void changeAxis(std::vector<ScriptEvent>& out, int held, int wanted, unsigned char plus,
                unsigned char minus)
{
    if (held == wanted) return;
    if (held != 0) press(out, ScriptAction::KeyUp, held > 0 ? plus : minus);
    if (wanted != 0) press(out, ScriptAction::KeyDown, wanted > 0 ? plus : minus);
}

void updateTracking(Autopilot& pilot, const PlayerView& view)
{
    uint32_t now = view.clockMs;
    for (const SeenCharacter& s : view.seen) {
        TrackedCharacter& t = pilot.tracked[s.index];
        uint32_t gap = now - t.seenMs;
        if (t.known && gap > 0 && gap < VELOCITY_GAP_MS) {
            t.velocityX = (s.position.x - t.position.x) / (float)gap;
            t.velocityZ = (s.position.z - t.position.z) / (float)gap;
        } else if (!t.known || gap >= VELOCITY_GAP_MS) {
            t.velocityX = t.velocityZ = 0;
        }
        t.known = true;
        t.position = s.position;
        t.points = s.points;
        t.seenMs = now;
        // A red cone means a flyer taken in the last 15 seconds: at the latest it turns
        // green 15 seconds from now.
        if (s.coneShown && !s.coneGreen && t.readyAgainMs <= now)
            t.readyAgainMs = now + (uint32_t)FLYER_PAUSE_MS;
        if (s.coneShown && s.coneGreen) t.readyAgainMs = 0;
    }
}

bool recentlySeen(const TrackedCharacter& t, uint32_t now)
{
    return t.known && now - t.seenMs <= SIGHTING_MEMORY_MS;
}

void releaseEverything(Autopilot& pilot, std::vector<ScriptEvent>& out)
{
    changeAxis(out, pilot.keys.forward, 0, KEY_FORWARD, KEY_BACK);
    changeAxis(out, pilot.keys.strafe, 0, KEY_RIGHT, KEY_LEFT);
    pilot.keys = WalkKeys{0, 0};
    if (pilot.leftButtonHeld) button(out, ScriptAction::MouseUp, MOUSE_LEFT_BUTTON);
    pilot.leftButtonHeld = false;
}

void menuStep(Autopilot& pilot, const PlayerView& view, std::vector<ScriptEvent>& out)
{
    if (!pilot.menuSeen) {
        pilot.menuSeen = true;
        pilot.menuSinceMs = view.clockMs;
    }
    if (pilot.enterHeld) {
        press(out, ScriptAction::KeyUp, KEY_ENTER);
        pilot.enterHeld = false;
    } else if (view.pageShown) {
        press(out, ScriptAction::KeyDown, KEY_ESCAPE);
        press(out, ScriptAction::KeyUp, KEY_ESCAPE);
    } else if (view.menuIndex != MENU_ITEM_START) {
        press(out, ScriptAction::KeyDown, SPECIAL_KEY_UP, true);
    } else if (view.clockMs - pilot.menuSinceMs >= MENU_WAIT_MS) {
        press(out, ScriptAction::KeyDown, KEY_ENTER);
        pilot.enterHeld = true;
    }
}

void tableStep(Autopilot& pilot, const PlayerView& view, std::vector<ScriptEvent>& out)
{
    releaseEverything(pilot, out);
    if (!pilot.tableSeen) {
        pilot.tableSeen = true;
        pilot.tableSinceMs = view.clockMs;
    } else if (view.clockMs - pilot.tableSinceMs >= TABLE_WAIT_MS) {
        press(out, ScriptAction::KeyDown, KEY_ESCAPE);  // ends the program
    }
}

void clickStep(Autopilot& pilot, const PlayerView& view, std::vector<ScriptEvent>& out)
{
    if (pilot.leftButtonHeld) {
        button(out, ScriptAction::MouseUp, MOUSE_LEFT_BUTTON);
        pilot.leftButtonHeld = false;
        return;
    }
    bool greenInSight = std::any_of(view.seen.begin(), view.seen.end(), [](const SeenCharacter& s) {
        return s.coneShown && s.coneGreen;
    });
    if (greenInSight && view.clockMs - pilot.lastClickMs >= CLICK_INTERVAL_MS) {
        button(out, ScriptAction::MouseDown, MOUSE_LEFT_BUTTON);
        pilot.leftButtonHeld = true;
        pilot.lastClickMs = view.clockMs;
    }
}

void fistStep(const PlayerView& view, std::vector<ScriptEvent>& out)
{
    bool wanted = view.secondsLeft <= FIST_UP_SECONDS_LEFT &&
                  view.secondsLeft > FIST_DOWN_SECONDS_LEFT;
    if (wanted == view.fistShown) return;
    button(out, ScriptAction::MouseDown, MOUSE_RIGHT_BUTTON);
    button(out, ScriptAction::MouseUp, MOUSE_RIGHT_BUTTON);
}

// Where to stand and where to look: by the target, or further along the street.
void chooseGoal(Autopilot& pilot, const PlayerView& view, Vector3& goal, Vector3& lookAt)
{
    const Vector3& eye = view.eye.position;
    if (pilot.target >= 0) {
        const TrackedCharacter& t = pilot.tracked[pilot.target];
        float d = horizontalDistance(eye.x, eye.z, t.position.x, t.position.z);
        float ahead = std::min((float)INTERCEPT_LIMIT_MS, d / (WALK_SPEED / 1000.0f));
        float since = (float)(view.clockMs - t.seenMs);
        float px = t.position.x + t.velocityX * (ahead + since);
        float pz = t.position.z + t.velocityZ * (ahead + since);
        float away = horizontalDistance(px, pz, eye.x, eye.z);
        float ux = away > 0 ? (eye.x - px) / away : 0.0f;
        float uz = away > 0 ? (eye.z - pz) / away : 0.0f;
        // Beside its path rather than in its way: on the side of the eye.
        float speed = std::hypot(t.velocityX, t.velocityZ);
        if (speed > 0) {
            float sx = -t.velocityZ / speed, sz = t.velocityX / speed;
            float side = (sx * ux + sz * uz) >= 0 ? 1.0f : -1.0f;
            ux = sx * side;
            uz = sz * side;
        }
        goal = Vector3(px + ux * STAND_DISTANCE, eye.y, pz + uz * STAND_DISTANCE);
        lookAt = Vector3(t.position.x + t.velocityX * since, t.position.y,
                         t.position.z + t.velocityZ * since);
        return;
    }
    if (eye.z < PATROL_FAR_Z + PATROL_TURN_MARGIN) pilot.patrolDirection = 1;
    if (eye.z > PATROL_NEAR_Z - PATROL_TURN_MARGIN) pilot.patrolDirection = -1;
    float ahead = eye.z + pilot.patrolDirection * PATROL_LEG;
    float z = std::max(PATROL_FAR_Z, std::min(PATROL_NEAR_Z, ahead));
    goal = Vector3(PATROL_X, eye.y, z);
    lookAt = goal;
}

// Walking without getting anywhere while patrolling: something is in the way, go back.
void checkStuck(Autopilot& pilot, const PlayerView& view)
{
    const Vector3& eye = view.eye.position;
    if (view.clockMs - pilot.stuckCheckMs < STUCK_CHECK_MS) return;
    bool walking = pilot.keys.forward != 0 || pilot.keys.strafe != 0;
    if (pilot.target < 0 && walking &&
        horizontalDistance(eye.x, eye.z, pilot.stuckCheckPosition.x, pilot.stuckCheckPosition.z) <
            STUCK_DISTANCE)
        pilot.patrolDirection = -pilot.patrolDirection;
    pilot.stuckCheckPosition = eye;
    pilot.stuckCheckMs = view.clockMs;
}

void playStep(Autopilot& pilot, const PlayerView& view, float viewGapMs,
              std::vector<ScriptEvent>& out)
{
    uint32_t now = view.clockMs;
    clickStep(pilot, view, out);
    fistStep(view, out);

    int target = chooseTarget(pilot, view);
    if (target != pilot.target) pilot.targetSinceMs = now;
    pilot.target = target;
    if (target >= 0 && now - pilot.targetSinceMs > CHASE_LIMIT_MS) {
        pilot.tracked[target].ignoreUntilMs = now + CHASE_PAUSE_MS;
        pilot.target = -1;
    }
    checkStuck(pilot, view);

    Vector3 goal, lookAt;
    chooseGoal(pilot, view, goal, lookAt);

    // Turn towards what matters, no faster than a hand moves a mouse.
    const Camera& cam = view.eye;
    Vector3 dir = cam.view - cam.position;
    float yawNow = yawOf(dir.x, dir.z);
    float pitchNow = std::atan2(dir.y, std::hypot(dir.x, dir.z));
    float maxTurn = TURN_RATE * viewGapMs / 1000.0f;
    float yawWanted = yawOf(lookAt.x - cam.position.x, lookAt.z - cam.position.z);
    float yaw = clampMagnitude(wrapAngle(yawWanted - yawNow), maxTurn);
    float pitch = clampMagnitude(LEVEL_PITCH - pitchNow, maxTurn);
    int cx = view.windowWidth / 2, cy = view.windowHeight / 2;
    int px, py;
    pointerForTurn(view.windowWidth, view.windowHeight, yaw, pitch, px, py);
    if (px != cx || py != cy) {
        ScriptEvent ev{};
        ev.action = ScriptAction::Motion;
        ev.x = px;
        ev.y = py;
        out.push_back(ev);
    }
    float yawAfter = yawNow + (float)((cx - px) / (double)MOUSE_DIVISOR);

    std::vector<MovingObstacle> others;
    for (const TrackedCharacter& t : pilot.tracked) {
        if (!t.known || now - t.seenMs > AVOID_MEMORY_MS) continue;
        float since = (float)(now - t.seenMs);
        others.push_back(MovingObstacle{t.position.x + t.velocityX * since,
                                        t.position.z + t.velocityZ * since, t.velocityX,
                                        t.velocityZ});
    }
    Vector3 waypoint = nextWaypoint(pilot.grid, pilot.walls, cam.position, goal);
    WalkKeys keys =
        chooseWalkKeys(cam.position, yawAfter, waypoint, pilot.walls, others, pilot.keys);
    changeAxis(out, pilot.keys.forward, keys.forward, KEY_FORWARD, KEY_BACK);
    changeAxis(out, pilot.keys.strafe, keys.strafe, KEY_RIGHT, KEY_LEFT);
    pilot.keys = keys;
}

}  // namespace

Autopilot makeAutopilot(const std::vector<WallSegment>& walls)
{
    Autopilot pilot{};
    pilot.target = -1;
    pilot.patrolDirection = -1;
    pilot.walls = walls;
    pilot.grid = buildStreetGrid(walls);
    return pilot;
}

int chooseTarget(const Autopilot& pilot, const PlayerView& view)
{
    uint32_t now = view.clockMs;
    const Vector3& eye = view.eye.position;
    int best = -1;
    float bestDistance = 0;
    auto consider = [&](int index, const Vector3& at, bool coneShown, bool coneGreen, int points) {
        const TrackedCharacter& t = pilot.tracked[index];
        if (coneShown ? !coneGreen : t.readyAgainMs > now) return;
        if (t.ignoreUntilMs > now) return;
        // Worth more, worth a longer walk.
        float d = horizontalDistance(eye.x, eye.z, at.x, at.z) /
                  (1.0f + POINTS_WEIGHT * (float)(std::max(points, 1) - 1));
        if (index == pilot.target) d *= KEEP_TARGET_FACTOR;
        if (best < 0 || d < bestDistance) {
            best = index;
            bestDistance = d;
        }
    };
    bool targetInSight = false;
    for (const SeenCharacter& s : view.seen) {
        consider(s.index, s.position, s.coneShown, s.coneGreen, s.points);
        targetInSight |= s.index == pilot.target;
    }
    // A target that stepped behind a column a moment ago is still worth walking to.
    if (!targetInSight && pilot.target >= 0 && recentlySeen(pilot.tracked[pilot.target], now))
        consider(pilot.target, pilot.tracked[pilot.target].position, false, false,
                 pilot.tracked[pilot.target].points);
    return best;
}

WalkKeys chooseWalkKeys(const Vector3& eye, float lookYaw, const Vector3& goal,
                        const std::vector<WallSegment>& walls,
                        const std::vector<MovingObstacle>& others, const WalkKeys& current)
{
    float fx = std::cos(lookYaw), fz = -std::sin(lookYaw);
    float rx = -fz, rz = fx;  // to the right of the look direction
    float clearanceNow = wallClearance(walls, eye.x, eye.z);
    WalkKeys best{0, 0};
    float bestCost = 0;
    bool first = true;
    for (int forward = 1; forward >= -1; --forward) {
        for (int strafe : {0, -1, 1}) {
            // Two axes share the walking speed, as the game moves them.
            float axisSpeed = (forward != 0 && strafe != 0) ? WALK_SPEED / 2 : WALK_SPEED;
            float vx = (forward * fx + strafe * rx) * axisSpeed;
            float vz = (forward * fz + strafe * rz) * axisSpeed;
            // The goal counts as reached when the path passes by it within the look ahead.
            float cost = 0, x = eye.x, z = eye.z, closest = 1e9f;
            for (int k = 1; k <= PLAN_SAMPLES; ++k) {
                float t = PLAN_HORIZON_S * k / PLAN_SAMPLES;
                x = std::max(PLAY_AREA_MIN_X, std::min(PLAY_AREA_MAX_X, eye.x + vx * t));
                z = std::max(PLAY_AREA_MIN_Z, std::min(PLAY_AREA_MAX_Z, eye.z + vz * t));
                float clearance = wallClearance(walls, x, z);
                // Moving away from a wall that is already too close is always allowed.
                if (clearance < WALL_CLEARANCE && clearance < clearanceNow - 0.01f)
                    cost += WALL_PENALTY * (WALL_CLEARANCE - clearance);
                for (const MovingObstacle& o : others) {
                    float ms = t * 1000.0f;
                    float ox = o.x + o.velocityX * ms, oz = o.z + o.velocityZ * ms;
                    float d = horizontalDistance(x, z, ox, oz);
                    if (d < CHARACTER_CLEARANCE)
                        cost += CHARACTER_PENALTY * (CHARACTER_CLEARANCE - d);
                }
                closest = std::min(closest, horizontalDistance(x, z, goal.x, goal.z));
            }
            cost += closest;
            if (forward != current.forward || strafe != current.strafe) cost += KEY_CHANGE_COST;
            // What lies behind and beside the eye is not on the screen: walking there is blind.
            if (forward < 0) cost += BACKWARD_COST;
            else if (strafe != 0) cost += forward == 0 ? SIDEWAYS_COST : SIDEWAYS_COST / 2;
            if (first || cost < bestCost) {
                best = WalkKeys{forward, strafe};
                bestCost = cost;
                first = false;
            }
        }
    }
    return best;
}

float yawOf(float dx, float dz) { return std::atan2(-dz, dx); }

void pointerForTurn(int windowWidth, int windowHeight, float yaw, float pitch, int& x, int& y)
{
    x = windowWidth / 2 - (int)std::lround(yaw * MOUSE_DIVISOR);
    y = windowHeight / 2 - (int)std::lround(pitch * MOUSE_DIVISOR);
}

std::vector<ScriptEvent> autopilotStep(Autopilot& pilot, const PlayerView& view)
{
    std::vector<ScriptEvent> out;
    float gap = pilot.haveLastView ? (float)(view.clockMs - pilot.lastViewMs) : FIRST_VIEW_MS;
    gap = std::max(1.0f, std::min(MAX_VIEW_GAP_MS, gap));
    pilot.haveLastView = true;
    pilot.lastViewMs = view.clockMs;
    updateTracking(pilot, view);

    if (view.menuMode) {
        menuStep(pilot, view, out);
        return out;
    }
    if (pilot.enterHeld) {
        press(out, ScriptAction::KeyUp, KEY_ENTER);
        pilot.enterHeld = false;
    }
    if (view.gameOver) tableStep(pilot, view, out);
    else playStep(pilot, view, gap, out);
    return out;
}
