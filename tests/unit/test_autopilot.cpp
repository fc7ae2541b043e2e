// The autopilot: what it sees, which passer-by it walks to, how it steers round the street
// and the passers-by, and the keys, buttons and pointer moves it makes.
#include "app/autopilot.h"
#include "app/game_state.h"
#include "app/key_codes.h"
#include "characters/character_step.h"
#include "player/camera.h"
#include "world/street_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace test_autopilot {

const float EYE_Y = 2.2f;
const float STEP_S = 0.02f;

Camera lookingFrom(float x, float z, float towardsX, float towardsZ)
{
    Camera c{};
    placeCamera(c, x, EYE_Y, z, towardsX, EYE_Y, towardsZ, 0, 1, 0);
    return c;
}

PlayerView playView(const Camera& eye, uint32_t clockMs)
{
    PlayerView v{};
    v.clockMs = clockMs;
    v.secondsLeft = 100;
    v.eye = eye;
    v.windowWidth = 1024;
    v.windowHeight = 768;
    return v;
}

const std::vector<WallSegment>& street()
{
    static const std::vector<WallSegment> walls = streetWalls(streetTable, STREET_QUAD_COUNT);
    return walls;
}

// Moves the eye as the game does for one frame of held keys: one axis at the full walking
// speed, two axes at half speed each.
void moveEye(Vector3& eye, float yaw, const WalkKeys& keys, float seconds)
{
    float speed = (keys.forward != 0 && keys.strafe != 0) ? WALK_SPEED / 2 : WALK_SPEED;
    float fx = std::cos(yaw), fz = -std::sin(yaw);
    eye.x += (keys.forward * fx + keys.strafe * -fz) * speed * seconds;
    eye.z += (keys.forward * fz + keys.strafe * fx) * speed * seconds;
}

bool has(const std::vector<ScriptEvent>& events, ScriptAction action, int keyOrButton)
{
    for (const ScriptEvent& e : events) {
        if (e.action != action) continue;
        bool isButton = action == ScriptAction::MouseDown || action == ScriptAction::MouseUp;
        if ((isButton ? e.button : e.key) == keyOrButton) return true;
    }
    return false;
}

// ---- Turning ----

TEST(AutopilotTurn, PointerMoveTurnsTheGameCameraOntoTheWantedDirection)
{
    // Target directions all round the eye, turned towards through the camera's own mouse look.
    const float targets[][2] = {{10, 0}, {-10, 0}, {0, 10}, {3, -7}, {-6, 6}, {0.5f, -9}};
    for (const auto& t : targets) {
        Camera cam = lookingFrom(0, -100, 0, -150);
        float yaw = yawOf(t[0], t[1]) - yawOf(0, -50);
        while (yaw > 3.14159f) yaw -= 6.28318f;
        while (yaw < -3.14159f) yaw += 6.28318f;
        int x, y;
        pointerForTurn(1024, 768, yaw, 0, x, y);
        EXPECT_EQ(y, 384);
        lookWithMouse(cam, x, y, 1024, 768);
        Vector3 d = cam.view - cam.position;
        float error = yawOf(d.x, d.z) - yawOf(t[0], t[1]);
        while (error > 3.14159f) error -= 6.28318f;
        while (error < -3.14159f) error += 6.28318f;
        EXPECT_NEAR(error, 0, 1.0f / MOUSE_DIVISOR) << t[0] << ", " << t[1];
    }
}

TEST(AutopilotTurn, PitchUpMovesThePointerAboveTheCentre)
{
    int x, y;
    pointerForTurn(1024, 768, 0, 0.1f, x, y);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384 - 50);
}

// ---- Seeing ----

TEST(AutopilotSight, OnlyPointsInThePictureAndInFrontCount)
{
    Camera eye = lookingFrom(-12, -100, -12, -150);  // looking along -z
    const float aspect = 1024.0f / 768.0f;
    EXPECT_TRUE(pointInPicture(eye, Vector3(-12, 1.2f, -110), aspect));
    EXPECT_TRUE(pointInPicture(eye, Vector3(-8, 1.2f, -110), aspect));    // 22 degrees right
    EXPECT_FALSE(pointInPicture(eye, Vector3(-2, 1.2f, -110), aspect));   // 45 degrees right
    EXPECT_FALSE(pointInPicture(eye, Vector3(-12, 1.2f, -90), aspect));   // behind
    EXPECT_FALSE(pointInPicture(eye, Vector3(-12, 1.2f, -100.5f), aspect));  // closer than the near plane
}

TEST(AutopilotSight, ColumnsAndStandWallsHideWhatIsBehindThem)
{
    // A column stands at x -6..-4, z -146..-144; the pizza stand's side wall at z -102.
    EXPECT_FALSE(lineOfSightClear(Vector3(-5, EYE_Y, -140), Vector3(-5, 1.2f, -150), streetTable,
                                  STREET_QUAD_COUNT));
    EXPECT_TRUE(lineOfSightClear(Vector3(-12, EYE_Y, -140), Vector3(-12, 1.2f, -150), streetTable,
                                 STREET_QUAD_COUNT));
    EXPECT_FALSE(lineOfSightClear(Vector3(-3, EYE_Y, -90), Vector3(-3, 1.2f, -110), streetTable,
                                  STREET_QUAD_COUNT));
}

// ---- The street's walls ----

TEST(AutopilotWalls, ColumnsAreWallsAndTheGroundIsNot)
{
    const std::vector<WallSegment>& walls = street();
    EXPECT_GT(walls.size(), 100u);
    // One unit in front of the -x face of the column at x -6..-4, z -146..-144.
    EXPECT_NEAR(wallClearance(walls, -7, -145), 1.0f, 1e-4f);
    // Out in the street beside that column: the column is 5.5 to the side.
    EXPECT_NEAR(wallClearance(walls, -11.5f, -145), 5.5f, 1e-4f);
}

// ---- Choosing a target ----

struct TargetCase {
    const char* what;
    int currentTarget;
    float distances[3];       // of passers-by 0, 1 and 2, straight ahead
    bool coneShown[3];
    bool coneGreen[3];
    uint32_t readyAgainMs[3];
    uint32_t ignoreUntilMs[3];
    int points[3];
    int expected;
};

TEST(AutopilotTarget, NearestPasserByWhoseConeWouldBeGreen)
{
    const uint32_t now = 50000;
    const TargetCase cases[] = {
        {"nearest", -1, {9, 5, 7}, {}, {}, {}, {}, {1, 1, 1}, 1},
        {"a red cone is skipped", -1, {9, 5, 7}, {false, true, false}, {}, {}, {}, {1, 1, 1}, 2},
        {"seen red a while ago, not yet 15 s", -1, {9, 5, 7}, {}, {}, {0, now + 1, 0}, {}, {1, 1, 1}, 2},
        {"seen red, 15 s are over", -1, {9, 5, 7}, {}, {}, {0, now, 0}, {}, {1, 1, 1}, 1},
        {"a green cone beats the memory of a red one", -1, {9, 5, 7},
         {false, true, false}, {false, true, false}, {0, now + 9000, 0}, {}, {1, 1, 1}, 1},
        {"given up for a while", -1, {9, 5, 7}, {}, {}, {}, {0, now + 1, 0}, {1, 1, 1}, 2},
        {"the current target stays against one a little nearer", 2, {9, 5, 6}, {}, {}, {}, {}, {1, 1, 1}, 2},
        {"but not against one much nearer", 2, {9, 3, 6}, {}, {}, {}, {}, {1, 1, 1}, 1},
        {"every cone red", -1, {9, 5, 7}, {true, true, true}, {}, {}, {}, {1, 1, 1}, -1},
        {"a 3-point passer-by is worth a walk twice as long", -1, {9, 5, 9}, {}, {}, {}, {},
         {1, 1, 3}, 2},
        {"but not longer", -1, {11, 5, 11}, {}, {}, {}, {}, {1, 1, 3}, 1},
        {"the 20-point one is worth a long walk", -1, {40, 5, 7}, {}, {}, {}, {}, {20, 1, 1}, 0},
    };
    for (const TargetCase& tc : cases) {
        Autopilot pilot = makeAutopilot({});
        pilot.target = tc.currentTarget;
        PlayerView view = playView(lookingFrom(-12, -100, -12, -150), now);
        for (int i = 0; i < 3; ++i) {
            pilot.tracked[i].readyAgainMs = tc.readyAgainMs[i];
            pilot.tracked[i].ignoreUntilMs = tc.ignoreUntilMs[i];
            view.seen.push_back(SeenCharacter{i, Vector3(-12, 1.2f, -100 - tc.distances[i]),
                                              tc.coneShown[i], tc.coneGreen[i], tc.points[i]});
        }
        EXPECT_EQ(chooseTarget(pilot, view), tc.expected) << tc.what;
    }
}

TEST(AutopilotTarget, TargetBehindAColumnForAMomentIsKeptFromMemory)
{
    Autopilot pilot = makeAutopilot({});
    pilot.target = 4;
    pilot.tracked[4].known = true;
    pilot.tracked[4].position = Vector3(-5, 1.2f, -150);
    pilot.tracked[4].seenMs = 9500;
    PlayerView view = playView(lookingFrom(-5, -140, -5, -150), 10000);
    EXPECT_EQ(chooseTarget(pilot, view), 4);
    view.clockMs = 12000;  // long out of sight
    EXPECT_EQ(chooseTarget(pilot, view), -1);
}

// ---- Steering ----

struct WalkCase {
    const char* what;
    float eyeX, eyeZ, goalX, goalZ;
};

TEST(AutopilotSteering, WalksRoundColumnsAndStandsToTheGoalWithoutTouchingThem)
{
    const WalkCase cases[] = {
        {"open street", -12, -60, -12, -90},
        {"a column straight ahead", -5, -125, -5, -139},
        {"from the street into the walkway past the columns", -12, -150, 3, -150},
        {"round the pizza stand", -1, -86, -1, -108},
        {"from the start pose across the columns", 18, -64, -11, -84},
    };
    Autopilot pilot = makeAutopilot(street());
    for (const WalkCase& wc : cases) {
        Vector3 eye(wc.eyeX, EYE_Y, wc.eyeZ), goal(wc.goalX, EYE_Y, wc.goalZ);
        WalkKeys keys{0, 0};
        float nearestWall = 1e9f;
        int steps = 0;
        for (; steps < 1000 && std::hypot(eye.x - goal.x, eye.z - goal.z) > 1.0f; ++steps) {
            Vector3 waypoint = nextWaypoint(pilot.grid, pilot.walls, eye, goal);
            float yaw = yawOf(waypoint.x - eye.x, waypoint.z - eye.z);
            keys = chooseWalkKeys(eye, yaw, waypoint, pilot.walls, {}, keys);
            moveEye(eye, yaw, keys, STEP_S);
            nearestWall = std::min(nearestWall, wallClearance(pilot.walls, eye.x, eye.z));
        }
        EXPECT_LT(steps, 1000) << wc.what << ": stuck at " << eye.x << ", " << eye.z;
        // Closer than the eye's radius, the collision pass would have pushed it back.
        EXPECT_GE(nearestWall, 2.2f) << wc.what;
    }
}

TEST(AutopilotSteering, StraightLineThroughAColumnIsNotAWay)
{
    EXPECT_FALSE(walkClear(street(), -5, -125, -5, -139));
    EXPECT_TRUE(walkClear(street(), -12, -125, -12, -139));
    Vector3 waypoint = nextWaypoint(buildStreetGrid(street()), street(), Vector3(-5, EYE_Y, -125),
                                    Vector3(-5, EYE_Y, -139));
    // The first leg of the way leads off the line of columns.
    EXPECT_GT(std::fabs(waypoint.x + 5), 2.0f);
}

TEST(AutopilotSteering, GetsOutOfTheWayOfAPasserByWalkingAtIt)
{
    struct Approach {
        const char* what;
        float fromX, fromZ, vx, vz;  // per millisecond
    };
    const Approach approaches[] = {
        {"from the front", -12, -70, 0, 0.004f},
        {"from the side", -16, -60, 0.004f, 0},
        {"slowly from the front", -12, -64, 0, 0.0015f},
    };
    for (const Approach& a : approaches) {
        Vector3 eye(-12, EYE_Y, -60);
        float ox = a.fromX, oz = a.fromZ, closest = 1e9f;
        WalkKeys keys{0, 0};
        const float yaw = yawOf(0, -1);
        for (int step = 0; step < 150; ++step) {
            std::vector<MovingObstacle> others = {MovingObstacle{ox, oz, a.vx, a.vz}};
            // Standing here is the goal: only the passer-by makes it move.
            keys = chooseWalkKeys(eye, yaw, Vector3(-12, EYE_Y, -60), street(), others, keys);
            moveEye(eye, yaw, keys, STEP_S);
            ox += a.vx * STEP_S * 1000;
            oz += a.vz * STEP_S * 1000;
            closest = std::min(closest, std::hypot(eye.x - ox, eye.z - oz));
        }
        // The bump comes at about 1.5 in x and z.
        EXPECT_GT(closest, 1.6f) << a.what;
    }
}

TEST(AutopilotSteering, StandsStillAtTheGoalAndWalksForwardToAGoalAhead)
{
    Vector3 eye(-12, EYE_Y, -100);
    WalkKeys still = chooseWalkKeys(eye, yawOf(0, -1), eye, street(), {}, WalkKeys{1, 0});
    EXPECT_EQ(still.forward, 0);
    EXPECT_EQ(still.strafe, 0);
    WalkKeys ahead = chooseWalkKeys(eye, yawOf(0, -1), Vector3(-12, EYE_Y, -120), street(), {},
                                    WalkKeys{0, 0});
    EXPECT_EQ(ahead.forward, 1);
    EXPECT_EQ(ahead.strafe, 0);
    WalkKeys behind = chooseWalkKeys(eye, yawOf(0, -1), Vector3(-12, EYE_Y, -80), street(), {},
                                     WalkKeys{0, 0});
    EXPECT_EQ(behind.forward, -1);
}

// ---- Whole steps: menu, clicks, table ----

TEST(AutopilotStep, MenuWaitsThenEnterOnStartAndReleasesIt)
{
    Autopilot pilot = makeAutopilot(street());
    PlayerView menu{};
    menu.menuMode = true;
    menu.windowWidth = 1024;
    menu.windowHeight = 768;
    menu.clockMs = 100;
    EXPECT_TRUE(autopilotStep(pilot, menu).empty());
    menu.clockMs = 3100;
    std::vector<ScriptEvent> enter = autopilotStep(pilot, menu);
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_TRUE(has(enter, ScriptAction::KeyDown, KEY_ENTER));
    menu.clockMs = 3120;
    EXPECT_TRUE(has(autopilotStep(pilot, menu), ScriptAction::KeyUp, KEY_ENTER));

    Autopilot other = makeAutopilot(street());
    menu.menuIndex = MENU_ITEM_HELP;
    std::vector<ScriptEvent> up = autopilotStep(other, menu);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_TRUE(up[0].special);
    EXPECT_EQ(up[0].key, SPECIAL_KEY_UP);
    menu.pageShown = true;
    EXPECT_TRUE(has(autopilotStep(other, menu), ScriptAction::KeyDown, KEY_ESCAPE));
}

TEST(AutopilotStep, ClicksOnAGreenConeInSightAndNeverOnARedOne)
{
    Autopilot pilot = makeAutopilot(street());
    Camera eye = lookingFrom(-12, -100, -12, -150);
    PlayerView view = playView(eye, 20000);
    view.seen.push_back(SeenCharacter{3, Vector3(-12, 1.2f, -103), true, false, 1});
    EXPECT_FALSE(has(autopilotStep(pilot, view), ScriptAction::MouseDown, MOUSE_LEFT_BUTTON));
    view.clockMs += 20;
    view.seen[0].coneGreen = true;
    EXPECT_TRUE(has(autopilotStep(pilot, view), ScriptAction::MouseDown, MOUSE_LEFT_BUTTON));
    view.clockMs += 20;
    std::vector<ScriptEvent> next = autopilotStep(pilot, view);
    EXPECT_TRUE(has(next, ScriptAction::MouseUp, MOUSE_LEFT_BUTTON));
    EXPECT_FALSE(has(next, ScriptAction::MouseDown, MOUSE_LEFT_BUTTON));
}

TEST(AutopilotStep, TableStaysAFewSecondsThenEscapeWithEveryKeyReleased)
{
    Autopilot pilot = makeAutopilot(street());
    pilot.keys = WalkKeys{1, -1};
    PlayerView view = playView(lookingFrom(-12, -100, -12, -150), 151000);
    view.gameOver = true;
    std::vector<ScriptEvent> first = autopilotStep(pilot, view);
    EXPECT_TRUE(has(first, ScriptAction::KeyUp, KEY_FORWARD));
    EXPECT_TRUE(has(first, ScriptAction::KeyUp, KEY_LEFT));
    EXPECT_FALSE(has(first, ScriptAction::KeyDown, KEY_ESCAPE));
    view.clockMs = 154000;
    EXPECT_FALSE(has(autopilotStep(pilot, view), ScriptAction::KeyDown, KEY_ESCAPE));
    view.clockMs = 155100;
    EXPECT_TRUE(has(autopilotStep(pilot, view), ScriptAction::KeyDown, KEY_ESCAPE));
}

TEST(AutopilotStep, WalksAndTurnsTowardsAPasserByItSees)
{
    Autopilot pilot = makeAutopilot(street());
    // A passer-by ahead and to the right of the eye, which looks along -z.
    PlayerView view = playView(lookingFrom(-12, -100, -12, -150), 20000);
    view.seen.push_back(SeenCharacter{7, Vector3(-9, 1.2f, -115), false, false, 1});
    std::vector<ScriptEvent> events = autopilotStep(pilot, view);
    EXPECT_EQ(pilot.target, 7);
    EXPECT_TRUE(has(events, ScriptAction::KeyDown, KEY_FORWARD));
    bool turnedRight = false;
    for (const ScriptEvent& e : events)
        if (e.action == ScriptAction::Motion) turnedRight = e.x > 512;
    EXPECT_TRUE(turnedRight);
}

}  // namespace test_autopilot
