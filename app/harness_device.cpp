// The harness's part of every frame, in a fixed order: the frame's clock and recorded clock
// reading, the script's events, the autopilot's events; the screenshots; the sounds, the
// demo's progress and the trace line.
// Depends on: harness_device.h, script_feed.h, harness_recording.h, script_delivery_device.h, demo.h,
// demo_pictures.h, trace_line.h, trace_file.h, screenshot_gl.h, game_state.h, camera.h,
// roster.h, character_draw.h, highscore_table.h, startup.h, the platform clocks and sound log.
#include "app/harness_device.h"

#include "app/demo.h"
#include "app/demo_pictures.h"
#include "app/game_state.h"
#include "app/harness_recording.h"
#include "app/script_feed.h"
#include "app/trace_file.h"
#include "app/highscore_table.h"
#include "app/screenshot_gl.h"
#include "app/script_delivery_device.h"
#include "app/startup.h"
#include "app/trace_line.h"
#include "app/window_input_device.h"
#include "characters/character_draw.h"
#include "characters/roster.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "platform/wall_clock.h"
#include "player/camera.h"

#include <string>
#include <vector>

namespace {

const int SOUND_NAMES_PER_FRAME = 32;

long frameNumber = 0;
std::vector<std::string> screenshotsThisFrame;
// Real time from the end of the previous frame (the start of the first) to the end of this
// one, input handling between frames included: the interval the player sees between pictures.
double frameEndWallMs = -1.0;
double frameWallMs = 0.0;

// The game after this frame, as the trace line tells it.
TraceValues traceValues(const std::vector<std::string>& sounds)
{
    const GameState& g = gameState;
    TraceValues v;
    v.frame = frameNumber;
    v.clockMs = clockMilliseconds();
    v.menuMode = g.menuMode;
    v.menuIndex = g.menuIndex;
    v.aboutShown = g.aboutShown;
    v.helpShown = g.helpShown;
    v.gameOver = g.gameOver;
    v.score = g.score;
    v.secondsLeft = g.secondsLeft;
    v.forwardAxis = g.forwardAxis;
    v.strafeAxis = g.strafeAxis;
    v.fistShown = g.fistShown;
    v.flyerClick = g.flyerClick;
    v.frameTime = g.frameTime;
    v.frameWallMs = (float)frameWallMs;
    v.moveSpeed = g.moveSpeed;
    v.windowWidth = windowWidth;
    v.windowHeight = windowHeight;
    v.playerName = std::string(playerName, PLAYER_NAME_SIZE - 1);
    v.position = playerCamera.position;
    v.view = playerCamera.view;
    for (int i = 0; i < ROSTER_SIZE; ++i) {
        const Character& c = roster[i];
        v.characters.push_back(
            TraceCharacter{c.position, c.heading, c.isNear, c.isReady, c.model.currentFrame});
    }
    v.charactersOutsideView = charactersOutsideView();
    // The table as shown once the game is over: each record's 12 bytes.
    if (g.gameOver)
        for (int j = 0; j < HIGHSCORE_RECORD_COUNT; ++j) {
            const char* bytes = (const char*)highscoreTable.records[j].bytes;
            v.highscores.push_back(std::string(bytes, HIGHSCORE_RECORD_SIZE));
        }
    v.sounds = sounds;
    return v;
}

}  // namespace

void harnessBeginFrame()
{
    ++frameNumber;
    if (frameEndWallMs < 0) frameEndWallMs = wallClockMs();
    if (clockIsFixedStep()) clockSetFrame(frameNumber);
    if (harnessReplayRunOut(frameNumber)) deviceReplayEnded();
    recordFrameClock(frameNumber);
    screenshotsThisFrame.clear();
    while (const ScriptEvent* ev = takeScriptEvent(frameNumber)) {
        // A screenshot shows what this frame draws, so it waits until the frame is drawn.
        if (ev->action == ScriptAction::Screenshot) screenshotsThisFrame.push_back(ev->path);
        else deliverEvent(*ev, frameNumber);
    }
    // The autopilot answers what the last frame showed, as a player would.
    if (demoPlaying())
        for (const ScriptEvent& ev : demoStep()) deliverEvent(ev, frameNumber);
}

void harnessBeforeSwap()
{
    for (const std::string& path : screenshotsThisFrame)
        saveScreenshot(path.c_str(), (int)windowWidth, (int)windowHeight);
    for (const std::string& path : demoPicturesDue())
        saveScreenshot(path.c_str(), (int)windowWidth, (int)windowHeight);
}

void harnessEndFrame()
{
    double now = wallClockMs();
    frameWallMs = now - frameEndWallMs;
    frameEndWallMs = now;
    const char* names[SOUND_NAMES_PER_FRAME];
    int n = soundTakeStartedNames(names, SOUND_NAMES_PER_FRAME);
    if (demoPlaying()) showDemoProgress();
    if (!traceOpen()) return;
    writeTraceLine(frameNumber, traceLine(traceValues(std::vector<std::string>(names, names + n))));
}

long harnessFrameNumber() { return frameNumber; }
