// The autopilot's eyes (what is on the screen), its map of the street's walls, and its
// decisions: which passer-by to walk to, which keys to hold, where to turn, when to click.
// Depends on: autopilot.h, input.h (key codes), character_step.h (the cone's place),
// street_table.h, collision.h (the eye's radius), startup.h (the field of view),
// game_state.h, GLUT key and button codes.
#include "app/autopilot.h"

#include "app/game_state.h"
#include "app/input.h"
#include "app/startup.h"
#include "characters/character_step.h"
#include "player/collision.h"
#include "world/street_table.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>

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

// Finding a way round the columns and stands.
const float GRID_CELL = 1.0f;
const float FREE_CLEARANCE = COLLISION_RADIUS + 0.1f;
const float WALK_CHECK_STEP = 0.5f;
const float WALK_CHECK_SKIP = 1.0f;
const float DIAGONAL_COST = 1.41421356f;

// Walls: upright quads that reach into the band the eye's sphere sweeps.
const float WALL_BAND_BOTTOM = 0.05f;
const float WALL_BAND_TOP = 4.4f;

// Seeing: a passer-by's middle and head, and the near plane of the picture.
const float BODY_RAISE = 0.8f;
const float PICTURE_NEAR = 1.0f;
const float SEGMENT_END_MARGIN = 0.001f;

// The fist goes up for ten seconds in the middle of the game.
const int FIST_UP_SECONDS_LEFT = 80;
const int FIST_DOWN_SECONDS_LEFT = 70;

const float PI_F = 3.14159265358979f;

float horizontalDistance(float x0, float z0, float x1, float z1)
{
    return std::hypot(x1 - x0, z1 - z0);
}

float wrapAngle(float a)
{
    while (a > PI_F) a -= 2 * PI_F;
    while (a < -PI_F) a += 2 * PI_F;
    return a;
}

float clampMagnitude(float v, float limit) { return std::max(-limit, std::min(limit, v)); }

float segmentDistance(const WallSegment& w, float x, float z)
{
    float dx = w.x1 - w.x0, dz = w.z1 - w.z0;
    float len2 = dx * dx + dz * dz;
    float t = len2 > 0 ? ((x - w.x0) * dx + (z - w.z0) * dz) / len2 : 0.0f;
    t = std::max(0.0f, std::min(1.0f, t));
    return horizontalDistance(w.x0 + t * dx, w.z0 + t * dz, x, z);
}

// p inside the convex quad c[0..3] that lies in the plane with normal n.
bool insideQuad(const Vector3& p, const Vector3* c, const Vector3& n)
{
    for (int k = 0; k < CORNERS_PER_QUAD; ++k) {
        Vector3 edge = c[(k + 1) % CORNERS_PER_QUAD] - c[k];
        if (dot(cross(edge, p - c[k]), n) < 0) return false;
    }
    return true;
}

bool seenClearly(const Camera& eye, const Vector3& p, float aspect)
{
    return pointInPicture(eye, p, aspect) &&
           lineOfSightClear(eye.position, p, streetTable, STREET_QUAD_COUNT);
}

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
    if (pilot.leftButtonHeld) button(out, ScriptAction::MouseUp, GLUT_LEFT_BUTTON);
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
        press(out, ScriptAction::KeyDown, GLUT_KEY_UP, true);
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
        button(out, ScriptAction::MouseUp, GLUT_LEFT_BUTTON);
        pilot.leftButtonHeld = false;
        return;
    }
    bool greenInSight = std::any_of(view.seen.begin(), view.seen.end(), [](const SeenCharacter& s) {
        return s.coneShown && s.coneGreen;
    });
    if (greenInSight && view.clockMs - pilot.lastClickMs >= CLICK_INTERVAL_MS) {
        button(out, ScriptAction::MouseDown, GLUT_LEFT_BUTTON);
        pilot.leftButtonHeld = true;
        pilot.lastClickMs = view.clockMs;
    }
}

void fistStep(const PlayerView& view, std::vector<ScriptEvent>& out)
{
    bool wanted = view.secondsLeft <= FIST_UP_SECONDS_LEFT &&
                  view.secondsLeft > FIST_DOWN_SECONDS_LEFT;
    if (wanted == view.fistShown) return;
    button(out, ScriptAction::MouseDown, GLUT_RIGHT_BUTTON);
    button(out, ScriptAction::MouseUp, GLUT_RIGHT_BUTTON);
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

bool pointInPicture(const Camera& eye, const Vector3& p, float aspect)
{
    Vector3 forward = normalized(eye.view - eye.position);
    Vector3 right = normalized(cross(forward, eye.up));
    Vector3 up = cross(right, forward);
    Vector3 d = p - eye.position;
    float depth = dot(d, forward);
    if (depth < PICTURE_NEAR) return false;
    float halfHeight = (float)std::tan(FIELD_OF_VIEW_DEGREES / 2 * PI_F / 180.0);
    return std::fabs(dot(d, up) / depth) <= halfHeight &&
           std::fabs(dot(d, right) / depth) <= halfHeight * aspect;
}

bool lineOfSightClear(const Vector3& from, const Vector3& to, const StreetQuad* quads,
                      int quadCount)
{
    Vector3 ray = to - from;
    for (int i = 0; i < quadCount; ++i) {
        const StreetQuad& q = quads[i];
        Vector3 c[CORNERS_PER_QUAD] = {q.c0, q.c1, q.c2, q.c3};
        Vector3 n = cross(c[1] - c[0], c[2] - c[0]);
        float denom = dot(n, ray);
        if (denom == 0.0f) continue;
        float t = dot(n, c[0] - from) / denom;
        if (t <= SEGMENT_END_MARGIN || t >= 1 - SEGMENT_END_MARGIN) continue;
        if (insideQuad(from + ray * t, c, n)) return false;
    }
    return true;
}

PlayerView observeGame(const GameState& game, const Camera& eye, const Character* characters,
                       int characterCount, float windowWidth, float windowHeight,
                       uint32_t clockMs)
{
    PlayerView view;
    view.clockMs = clockMs;
    view.menuMode = game.menuMode;
    view.menuIndex = game.menuIndex;
    view.pageShown = game.aboutShown || game.helpShown;
    view.gameOver = game.gameOver;
    view.score = game.score;
    view.secondsLeft = game.secondsLeft;
    view.fistShown = game.fistShown;
    view.eye = eye;
    view.windowWidth = (int)windowWidth;
    view.windowHeight = (int)windowHeight;
    if (game.menuMode || game.gameOver) return view;
    float aspect = windowHeight > 0 ? windowWidth / windowHeight : 1.0f;
    for (int i = 0; i < characterCount; ++i) {
        const Character& c = characters[i];
        Vector3 head(c.position.x, c.position.y + BODY_RAISE, c.position.z);
        bool bodySeen = seenClearly(eye, c.position, aspect) || seenClearly(eye, head, aspect);
        bool coneSeen = false;
        if (c.isNear) {
            Vector3 bew = stepVector(c.heading, c.speed);
            Vector3 cone(c.position.x + c.kind->markerLead * bew.x, c.kind->markerHeight,
                         c.position.z + c.kind->markerLead * bew.z);
            coneSeen = seenClearly(eye, cone, aspect);
        }
        if (bodySeen || coneSeen)
            view.seen.push_back(SeenCharacter{i, c.position, coneSeen, coneSeen && c.isReady,
                                              c.kind->flyerPoints});
    }
    return view;
}

std::vector<WallSegment> streetWalls(const StreetQuad* quads, int quadCount)
{
    std::vector<WallSegment> walls;
    for (int i = 0; i < quadCount; ++i) {
        const StreetQuad& q = quads[i];
        if (q.normal.y != 0.0f) continue;
        const Vector3 c[CORNERS_PER_QUAD] = {q.c0, q.c1, q.c2, q.c3};
        float low = c[0].y, high = c[0].y;
        for (const Vector3& v : c) {
            low = std::min(low, v.y);
            high = std::max(high, v.y);
        }
        if (high <= WALL_BAND_BOTTOM || low >= WALL_BAND_TOP) continue;
        // Seen from above an upright quad is the segment between its two furthest corners.
        int far = 1;
        for (int k = 2; k < CORNERS_PER_QUAD; ++k)
            if (horizontalDistance(c[0].x, c[0].z, c[k].x, c[k].z) >
                horizontalDistance(c[0].x, c[0].z, c[far].x, c[far].z))
                far = k;
        walls.push_back(WallSegment{c[0].x, c[0].z, c[far].x, c[far].z});
    }
    return walls;
}

float wallClearance(const std::vector<WallSegment>& walls, float x, float z)
{
    float best = 1e9f;
    for (const WallSegment& w : walls) best = std::min(best, segmentDistance(w, x, z));
    return best;
}

StreetGrid buildStreetGrid(const std::vector<WallSegment>& walls)
{
    StreetGrid grid;
    grid.columns = (int)((PLAY_AREA_MAX_X - PLAY_AREA_MIN_X) / GRID_CELL) + 1;
    grid.rows = (int)((PLAY_AREA_MAX_Z - PLAY_AREA_MIN_Z) / GRID_CELL) + 1;
    grid.free.resize((size_t)grid.columns * grid.rows);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            float x = PLAY_AREA_MIN_X + c * GRID_CELL, z = PLAY_AREA_MIN_Z + r * GRID_CELL;
            grid.free[(size_t)r * grid.columns + c] = wallClearance(walls, x, z) >= FREE_CLEARANCE;
        }
    return grid;
}

bool walkClear(const std::vector<WallSegment>& walls, float x0, float z0, float x1, float z1)
{
    float length = horizontalDistance(x0, z0, x1, z1);
    for (float s = WALK_CHECK_SKIP; s < length; s += WALK_CHECK_STEP) {
        float t = s / length;
        if (wallClearance(walls, x0 + (x1 - x0) * t, z0 + (z1 - z0) * t) < FREE_CLEARANCE)
            return false;
    }
    return length < WALK_CHECK_SKIP || wallClearance(walls, x1, z1) >= FREE_CLEARANCE;
}

Vector3 nextWaypoint(const StreetGrid& grid, const std::vector<WallSegment>& walls,
                     const Vector3& from, const Vector3& goal)
{
    if (walkClear(walls, from.x, from.z, goal.x, goal.z)) return goal;
    auto cellOf = [&](float x, float z) {
        int c = (int)std::lround((x - PLAY_AREA_MIN_X) / GRID_CELL);
        int r = (int)std::lround((z - PLAY_AREA_MIN_Z) / GRID_CELL);
        c = std::max(0, std::min(grid.columns - 1, c));
        r = std::max(0, std::min(grid.rows - 1, r));
        return r * grid.columns + c;
    };
    auto xOf = [&](int cell) { return PLAY_AREA_MIN_X + (cell % grid.columns) * GRID_CELL; };
    auto zOf = [&](int cell) { return PLAY_AREA_MIN_Z + (cell / grid.columns) * GRID_CELL; };
    int start = cellOf(from.x, from.z), end = cellOf(goal.x, goal.z);

    // A* over the free cells (the start cell counts as free: the eye is there); the way
    // ends at the goal or at the reached cell nearest to it.
    std::vector<float> cost(grid.free.size(), -1.0f);
    std::vector<int> cameFrom(grid.free.size(), -1);
    typedef std::pair<float, int> Entry;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    auto estimate = [&](int cell) {
        return horizontalDistance(xOf(cell), zOf(cell), goal.x, goal.z);
    };
    cost[start] = 0;
    open.push(Entry(estimate(start), start));
    int best = start;
    while (!open.empty()) {
        int cell = open.top().second;
        open.pop();
        if (estimate(cell) < estimate(best)) best = cell;
        if (cell == end) break;
        int c = cell % grid.columns, r = cell / grid.columns;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                int nc = c + dc, nr = r + dr;
                bool outside = nc < 0 || nr < 0 || nc >= grid.columns || nr >= grid.rows;
                if ((dr == 0 && dc == 0) || outside) continue;
                int next = nr * grid.columns + nc;
                if (!grid.free[next]) continue;
                float step = (dr != 0 && dc != 0) ? DIAGONAL_COST : 1.0f;
                float through = cost[cell] + step * GRID_CELL;
                if (cost[next] >= 0 && cost[next] <= through) continue;
                cost[next] = through;
                cameFrom[next] = cell;
                open.push(Entry(through + estimate(next), next));
            }
    }
    // The furthest cell of the way that can be walked to straight.
    std::vector<int> way;
    for (int cell = best; cell != -1; cell = cameFrom[cell]) way.push_back(cell);
    for (int i = 0; i < (int)way.size(); ++i)
        if (walkClear(walls, from.x, from.z, xOf(way[i]), zOf(way[i])))
            return Vector3(xOf(way[i]), from.y, zOf(way[i]));
    return way.size() > 1 ? Vector3(xOf(way[way.size() - 2]), from.y, zOf(way[way.size() - 2]))
                          : goal;
}

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
