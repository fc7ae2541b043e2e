// One play frame's rules, in the order the game has always applied them.
// Depends on: play_step.h, watched_table.h (the table at the end), game_state.h, startup.h (the
// player's name), collision.h, street_table.h (the walls' corners), the platform clock.
#include "app/play_step.h"

#include "app/game_state.h"
#include "app/startup.h"
#include "app/watched_table.h"
#include "platform/clock.h"
#include "player/collision.h"
#include "world/street_table.h"

#include <cstdio>
#include <string>

char scoreText[SCORE_TEXT_SIZE] = "000";
char timeText[TIME_TEXT_SIZE] = "3:00";

void measureFrameTime()
{
    float now = (float)(clockMilliseconds() * (double)SECONDS_PER_MILLISECOND);
    gameState.frameTime = now - gameState.lastFrameSeconds;
    gameState.lastFrameSeconds = now;
}

void movePlayer()
{
    GameState& g = gameState;
    g.moveSpeed = WALK_SPEED * g.frameTime;
    // Two active axes (or none) share the speed: half along each.
    if ((g.forwardAxis + g.strafeAxis) % 2 == 0) g.moveSpeed = g.moveSpeed / 2;
    if (g.forwardAxis != 0) walk(playerCamera, g.forwardAxis * g.moveSpeed);
    if (g.strafeAxis != 0) sidestep(playerCamera, g.strafeAxis * g.moveSpeed);
    clampToPlayArea(playerCamera);
}

void takeEffectTriggers(GameState& state, PlayFrame& frame)
{
    frame.bumpSound = state.bumpSound;
    state.bumpSound = false;
    frame.scoreSound = state.score != state.lastScore;
    state.lastScore = state.score;
}

namespace {

void endGame()
{
    std::string console;
    endGameTable(gameState.score, scoreText, playerName, highscoreTable, console);
    std::fputs(console.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

bool stepPlayFrame(PlayFrame& frame)
{
    GameState& g = gameState;
    if (g.gameOver) return false;
    measureFrameTime();
    movePlayer();
    frame.eye = playerCamera;
    for (int i = 0; i < ROSTER_SIZE; ++i)
        frame.characters[i] = stepCharacter(roster[i], playerCamera, g, clockMilliseconds());
    g.flyerClick = false;
    takeEffectTriggers(g, frame);
    formatScoreText(g.score, scoreText);
    // The frame that ends the game still shows the rest of the overlay.
    if (tickCountdown(g, clockMilliseconds())) endGame();
    formatTimeText(g.secondsLeft, timeText);
    if (!g.gameOver) resolveSceneCollision(playerCamera, sceneCorners.vertices, sceneCorners.count);
    return true;
}
