// The frame clock and the player's walk for one play frame.
// Depends on: frame_loop.h, game_state.h, camera.h, the platform clock.
#include "app/frame_loop.h"

#include "app/game_state.h"
#include "platform/clock.h"
#include "player/camera.h"

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
