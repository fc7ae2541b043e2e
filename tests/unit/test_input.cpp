// The input state machine and the per-frame walk, without a window.
#include "app/play_step.h"
#include "app/game_state.h"
#include "app/input.h"
#include "platform/clock.h"
#include "player/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace test_input {

const int LEFT_ARROW_KEY = 100;  // a special key the menu does not use

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameState = initialGameState();
        playerCamera = Camera{};
        clockSetForTesting(5000);
    }
    void TearDown() override { clockSetForTesting(-1); }

    static void key(unsigned char k) { onKeyDown(k, 0, 0); }
    static void release(unsigned char k) { onKeyUp(k, 0, 0); }
    static void special(int k) { onSpecialKey(k, 0, 0); }
    static void play()
    {
        key(KEY_ENTER);
        ASSERT_FALSE(gameState.menuMode);
    }
};

TEST_F(InputTest, ArrowsWrapAroundTheFourItems)
{
    special(SPECIAL_KEY_UP);
    EXPECT_EQ(gameState.menuIndex, 3);
    special(SPECIAL_KEY_DOWN);
    EXPECT_EQ(gameState.menuIndex, 0);
    special(SPECIAL_KEY_DOWN);
    special(SPECIAL_KEY_DOWN);
    EXPECT_EQ(gameState.menuIndex, 2);
    special(LEFT_ARROW_KEY);
    EXPECT_EQ(gameState.menuIndex, 2);
}

TEST_F(InputTest, PagesOpenWithEnterAndCloseWithEnterOrEscapeKeepingTheSelection)
{
    special(SPECIAL_KEY_DOWN);
    key(KEY_ENTER);
    EXPECT_TRUE(gameState.aboutShown);
    special(SPECIAL_KEY_DOWN);  // arrows do nothing while a page is shown
    EXPECT_EQ(gameState.menuIndex, 1);
    key(KEY_ESCAPE);
    EXPECT_FALSE(gameState.aboutShown);
    EXPECT_TRUE(gameState.menuMode);

    special(SPECIAL_KEY_DOWN);
    key(KEY_ENTER);
    EXPECT_TRUE(gameState.helpShown);
    key(KEY_ENTER);
    EXPECT_FALSE(gameState.helpShown);
    EXPECT_EQ(gameState.menuIndex, 2);
}

TEST_F(InputTest, EnterOnStartWhileAPageIsShownOnlyClosesThePage)
{
    gameState.aboutShown = true;
    gameState.menuIndex = 0;
    key(KEY_ENTER);
    EXPECT_FALSE(gameState.aboutShown);
    EXPECT_TRUE(gameState.menuMode);
}

TEST_F(InputTest, EnterOnStartPlacesTheCameraAndStartsTheCountdownClock)
{
    key(KEY_ENTER);
    EXPECT_FALSE(gameState.menuMode);
    EXPECT_EQ(gameState.secondTick, 5000.0f);
    EXPECT_EQ(playerCamera.position.x, 20.0f);
    EXPECT_EQ(playerCamera.position.y, 1.75f);
    EXPECT_EQ(playerCamera.view.z, -127.0f);
    EXPECT_EQ(playerCamera.up.y, 1.0f);
    EXPECT_EQ(gameState.secondsLeft, GAME_SECONDS);
}

TEST_F(InputTest, EscapeOnTheMainMenuStartsTheGameLikeEnterOnStart)
{
    gameState.menuIndex = 2;
    key(KEY_ESCAPE);
    EXPECT_FALSE(gameState.menuMode);
    EXPECT_EQ(gameState.secondTick, 5000.0f);
    EXPECT_EQ(playerCamera.position.z, -64.0f);
}

TEST_F(InputTest, MovementKeysAreIgnoredInTheMenuAndReleasesThereToo)
{
    key('w');
    key('d');
    EXPECT_EQ(gameState.forwardAxis, 0);
    EXPECT_EQ(gameState.strafeAxis, 0);
    play();
    // A key held since the menu: its release just stops that axis.
    release('w');
    EXPECT_EQ(gameState.forwardAxis, 0);
}

TEST_F(InputTest, AxesAddPerPressAndAReleaseStopsTheWholeAxis)
{
    play();
    key('w');
    key('d');
    EXPECT_EQ(gameState.forwardAxis, 1);
    EXPECT_EQ(gameState.strafeAxis, 1);
    key('s');
    EXPECT_EQ(gameState.forwardAxis, 0);
    key('W');  // upper case is not a movement key
    EXPECT_EQ(gameState.forwardAxis, 0);
    release('s');
    EXPECT_EQ(gameState.forwardAxis, 0);
    key('w');
    key('a');
    EXPECT_EQ(gameState.strafeAxis, 0);
    release('d');
    EXPECT_EQ(gameState.strafeAxis, 0);
    EXPECT_EQ(gameState.forwardAxis, 1);
}

TEST_F(InputTest, ClicksSetTheFlyerInPlayAndTheRightButtonTogglesTheFistEverywhere)
{
    onMouseButton(MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
    EXPECT_FALSE(gameState.flyerClick);
    onMouseButton(MOUSE_RIGHT_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
    EXPECT_TRUE(gameState.fistShown);
    onMouseButton(MOUSE_RIGHT_BUTTON, MOUSE_BUTTON_UP, 0, 0);
    EXPECT_TRUE(gameState.fistShown);
    play();
    onMouseButton(MOUSE_LEFT_BUTTON, MOUSE_BUTTON_UP, 0, 0);
    EXPECT_FALSE(gameState.flyerClick);
    onMouseButton(MOUSE_MIDDLE_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
    EXPECT_FALSE(gameState.flyerClick);
    onMouseButton(MOUSE_LEFT_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
    EXPECT_TRUE(gameState.flyerClick);
    onMouseButton(MOUSE_RIGHT_BUTTON, MOUSE_BUTTON_DOWN, 0, 0);
    EXPECT_FALSE(gameState.fistShown);
}

TEST_F(InputTest, MotionTurnsOnlyInPlay)
{
    onMouseMotion(600, 384);
    EXPECT_EQ(playerCamera.view.x, 0.0f);
    play();
    float before = playerCamera.view.x;
    onMouseMotion(600, 384);
    EXPECT_NE(playerCamera.view.x, before);
}

using InputDeathTest = InputTest;

TEST_F(InputDeathTest, QuitPathsEndWithExitCodeZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    gameState.menuIndex = MENU_ITEM_QUIT;
    EXPECT_EXIT(key(KEY_ENTER), ::testing::ExitedWithCode(0), "");
    gameState = initialGameState();
    play();
    EXPECT_EXIT(key(KEY_ENTER), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(key(KEY_ESCAPE), ::testing::ExitedWithCode(0), "");
    gameState.gameOver = true;
    EXPECT_EXIT(key(KEY_ESCAPE), ::testing::ExitedWithCode(0), "");
}

class FrameTest : public InputTest {};

TEST_F(FrameTest, FirstPlayFrameMeasuresFromClockZero)
{
    clockSetForTesting(3000);
    measureFrameTime();
    EXPECT_FLOAT_EQ(gameState.frameTime, 3.0f);
    clockSetForTesting(3020);
    measureFrameTime();
    EXPECT_NEAR(gameState.frameTime, 0.02f, 1e-5f);
    EXPECT_FLOAT_EQ(gameState.lastFrameSeconds, 3.02f);
}

TEST_F(FrameTest, OneAxisWalksAtFullSpeedAndTwoAxesAtHalfEach)
{
    play();
    placeCamera(playerCamera, 0, 2.2f, -100, 0, 2.2f, -110, 0, 1, 0);
    gameState.frameTime = 0.5f;
    gameState.forwardAxis = 1;
    movePlayer();
    EXPECT_FLOAT_EQ(gameState.moveSpeed, 4.0f);

    gameState.strafeAxis = 1;
    movePlayer();
    EXPECT_FLOAT_EQ(gameState.moveSpeed, 2.0f);

    // w and s together with d: the sum is odd, the sidestep runs at full speed.
    gameState.forwardAxis = 0;
    Vector3 before = playerCamera.position;
    movePlayer();
    EXPECT_FLOAT_EQ(gameState.moveSpeed, 4.0f);
    EXPECT_NEAR(std::hypot(playerCamera.position.x - before.x, playerCamera.position.z - before.z),
                4.0f, 1e-4f);
}

TEST_F(FrameTest, NoInputOnlyClampsTheStartPose)
{
    play();
    gameState.frameTime = 1.0f;
    movePlayer();
    EXPECT_FLOAT_EQ(playerCamera.position.x, 18.0f);
    EXPECT_FLOAT_EQ(playerCamera.view.x, -7.0f);
    EXPECT_FLOAT_EQ(playerCamera.position.z, -64.0f);
}

}  // namespace test_input
