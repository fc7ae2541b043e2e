// The play step: the effect triggers, the eye a frame is drawn from, and a game that is over.
#include "app/game_state.h"
#include "app/play_step.h"
#include "characters/roster.h"
#include "platform/clock.h"
#include "player/camera.h"

#include <gtest/gtest.h>

namespace test_play_step {

TEST(EffectTriggers, BumpAndScoreInOneFrameBothStartAndEachOnlyOnceForItsEvent)
{
    gameState = initialGameState();
    PlayFrame frame{};
    gameState.bumpSound = true;
    gameState.score = 20;
    takeEffectTriggers(gameState, frame);
    EXPECT_TRUE(frame.bumpSound && frame.scoreSound);
    EXPECT_FALSE(gameState.bumpSound);
    EXPECT_EQ(gameState.lastScore, 20);
    takeEffectTriggers(gameState, frame);
    EXPECT_FALSE(frame.bumpSound || frame.scoreSound);
    // The score wrapping back to a value seen before is still a change.
    gameState.score = 0;
    takeEffectTriggers(gameState, frame);
    EXPECT_TRUE(frame.scoreSound);
    EXPECT_FALSE(frame.bumpSound);
}

TEST(PlayStep, DrawsFromTheEyeBeforeThePushBackAndStandsStillOnceTheGameIsOver)
{
    resetRandomInt();
    resetRosterForTesting();
    placeAllCharacters();
    gameState = initialGameState();
    gameState.menuMode = false;
    clockSetForTesting(500);
    placeCamera(playerCamera, 0, 1.75f, -100, 0, 1.75f, -110, 0, 1, 0);
    roster[0].position = Vector3(1, 1.75f, -100);

    PlayFrame frame{};
    ASSERT_TRUE(stepPlayFrame(frame));
    EXPECT_FLOAT_EQ(frame.eye.position.x, 0);
    EXPECT_FLOAT_EQ(playerCamera.position.x, -2);
    EXPECT_TRUE(frame.bumpSound);
    EXPECT_STREQ(timeText, "2:30");

    gameState.gameOver = true;
    Vector3 eye = playerCamera.position, walker = roster[1].position;
    frame.bumpSound = false;
    EXPECT_FALSE(stepPlayFrame(frame));
    EXPECT_FLOAT_EQ(playerCamera.position.x, eye.x);
    EXPECT_FLOAT_EQ(roster[1].position.z, walker.z);
    EXPECT_FALSE(frame.bumpSound);
}

}  // namespace test_play_step
