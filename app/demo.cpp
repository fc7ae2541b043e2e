// The demo's autopilot and its progress line.
// Depends on: demo.h, autopilot.h, game_state.h, camera.h, roster.h, startup.h,
// countdown.h, street_table.h, the platform clock.
#include "app/demo.h"

#include "app/countdown.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "player/camera.h"
#include "world/street_table.h"

#include <cstdio>
#include <memory>

namespace {

const int PROGRESS_EVERY_SECONDS = 10;        // when the output is not a terminal

std::unique_ptr<Autopilot> demoPilot;
int lastProgressSecond = -1;
bool finalScoreShown = false;

}  // namespace

void harnessStartDemo()
{
    demoPilot.reset(new Autopilot(makeAutopilot(streetWalls(streetTable, STREET_QUAD_COUNT))));
}

bool demoPlaying() { return demoPilot != nullptr; }

PlayerView currentPlayerView()
{
    return observeGame(gameState, playerCamera, roster, ROSTER_SIZE, windowWidth, windowHeight,
                       clockMilliseconds());
}

std::vector<ScriptEvent> demoStep() { return autopilotStep(*demoPilot, currentPlayerView()); }

void showDemoProgress()
{
    const GameState& g = gameState;
    if (g.menuMode) return;
    bool terminal = outputIsTerminal();
    // The start message leaves its line open.
    if (lastProgressSecond < 0) std::printf("\n");
    if (g.gameOver) {
        if (!finalScoreShown)
            std::printf("%sdemo: game over, final score %d\n", terminal ? "\n" : "", g.score);
        finalScoreShown = true;
    } else if (g.secondsLeft != lastProgressSecond) {
        lastProgressSecond = g.secondsLeft;
        char text[TIME_TEXT_SIZE];
        formatTimeText(g.secondsLeft, text);
        if (terminal) std::printf("\rdemo: %s left, score %d ", text, g.score);
        else if (g.secondsLeft % PROGRESS_EVERY_SECONDS == 0)
            std::printf("demo: %s left, score %d\n", text, g.score);
    }
    std::fflush(stdout);
}
