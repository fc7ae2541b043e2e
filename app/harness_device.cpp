// Feeds scripted events by frame, writes the trace and takes scripted screenshots; records
// and replays whole games, lets the autopilot play and takes the demo's pictures.
// Depends on: harness.h, script.h, record.h, autopilot.h, screenshot.h, game_state.h,
// countdown.h, camera.h, startup.h, street_table.h, the platform clock and sound log, GLUT.
#include "app/harness.h"


#include "app/autopilot.h"
#include "app/countdown.h"
#include "app/game_state.h"
#include "app/highscore_table.h"
#include "app/json_text.h"
#include "app/record.h"
#include "app/screenshot.h"
#include "app/script.h"
#include "app/startup.h"
#include "characters/character_draw.h"
#include "characters/roster.h"
#include "platform/clock.h"
#include "platform/file_read.h"
#include "platform/sound.h"
#include "platform/wall_clock.h"
#include "player/camera.h"
#include "world/street_table.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int SOUND_NAMES_PER_FRAME = 32;

std::vector<ScriptEvent> scriptEvents;
size_t nextEvent = 0;
std::vector<std::string> screenshotsThisFrame;
long frameNumber = 0;
std::FILE* traceFile = nullptr;
std::string tracePath;
const mode_t TRACE_FILE_MODE = 0666;  // narrowed by the umask, as fopen would
const int EXIT_TRACE_FAILED = 1;
const char* const TRACE_FIFO_UNREAD = "a FIFO that nobody reads";
const char* const TRACE_WRITE_FAILED_FORMAT =
    "kerbrunner: %s: cannot write the trace at frame %ld: %s\n";

bool replaying = false;
bool haveRecordedName = false;
std::string recordedName;
bool recording = false;
std::unique_ptr<Autopilot> demoPilot;

// The demo's pictures and progress line.
const uint32_t MENU_PICTURE_MS = 1000;        // the menu once the window has its size
const int PICTURE_EVERY_SECONDS = 10;
const uint32_t TABLE_PICTURE_DELAY_MS = 1000;
const size_t CONE_PICTURE_MIN_SEEN = 3;       // a cone among a few passers-by
const int PROGRESS_EVERY_SECONDS = 10;        // when the output is not a terminal
std::string picturesDir;
bool menuPictureTaken = false;
bool conePictureTaken = false;
bool fistPictureTaken = false;
bool tablePictureTaken = false;
int lastPictureSecond = -1;
bool gameOverSeen = false;
uint32_t gameOverSeenMs = 0;
int lastProgressSecond = -1;
bool finalScoreShown = false;
// Real time from the end of the previous frame (the start of the first) to the end of this
// one, input handling between frames included: the interval the player sees between pictures.
double frameEndWallMs = -1.0;
double frameWallMs = 0.0;

const char* jsonBool(bool b) { return b ? "true" : "false"; }

// Every passer-by in roster order: where it is, which way it walks, its flyer state and
// the keyframe its model shows.
std::string jsonCharacters()
{
    std::string s = "[";
    for (int i = 0; i < ROSTER_SIZE; ++i) {
        const Character& c = roster[i];
        if (i) s += ", ";
        s += "{\"position\": " + jsonVector(c.position);
        s += ", \"heading\": " + jsonFloat(c.heading);
        s += std::string(", \"isNear\": ") + jsonBool(c.isNear);
        s += std::string(", \"isReady\": ") + jsonBool(c.isReady);
        s += ", \"frame\": " + std::to_string(c.model.currentFrame) + "}";
    }
    return s + "]";
}

// The five records of the table as shown once the game is over, each its 12 bytes.
std::string jsonHighscores()
{
    std::string s = "[";
    for (int j = 0; j < HIGHSCORE_RECORD_COUNT; ++j) {
        const char* bytes = (const char*)highscoreTable.records[j].bytes;
        s += (j ? ", " : "") + jsonString(std::string(bytes, HIGHSCORE_RECORD_SIZE));
    }
    return s + "]";
}

void closeTrace()
{
    if (traceFile) std::fclose(traceFile);
    traceFile = nullptr;
}

// Every event reaches the game here, written down first when the game is recorded (a quit
// ends the program).
void deliver(const ScriptEvent& ev, long frame)
{
    if (recording) recordEvent(frame, ev);
    deliverScriptEvent(ev);
}

// A device event arrives between frames: it belongs to the next one.
void deviceEvent(const ScriptEvent& ev)
{
    if (replaying) return;
    deliver(ev, frameNumber + 1);
}

void shoot(const std::string& name)
{
    std::string path = picturesDir + "/" + name;
    saveScreenshot(path.c_str(), (int)windowWidth, (int)windowHeight);
}

PlayerView currentView()
{
    return observeGame(gameState, playerCamera, roster, ROSTER_SIZE, windowWidth, windowHeight,
                       clockMilliseconds());
}

void takePictures()
{
    const GameState& g = gameState;
    uint32_t now = clockMilliseconds();
    if (g.menuMode) {
        if (!menuPictureTaken && now >= MENU_PICTURE_MS && !g.aboutShown && !g.helpShown) {
            shoot("menu.png");
            menuPictureTaken = true;
        }
        return;
    }
    if (g.gameOver) {
        if (!gameOverSeen) {
            gameOverSeen = true;
            gameOverSeenMs = now;
        } else if (!tablePictureTaken && now - gameOverSeenMs >= TABLE_PICTURE_DELAY_MS) {
            shoot("table.png");
            tablePictureTaken = true;
        }
        return;
    }
    if (g.secondsLeft % PICTURE_EVERY_SECONDS == 0 && g.secondsLeft != lastPictureSecond) {
        lastPictureSecond = g.secondsLeft;
        char text[TIME_TEXT_SIZE];
        formatTimeText(g.secondsLeft, text);
        std::replace(text, text + TIME_TEXT_SIZE - 1, ':', '-');
        shoot("play-" + std::string(text) + ".png");
    }
    if (!fistPictureTaken && g.fistShown) {
        shoot("fist.png");
        fistPictureTaken = true;
    }
    if (!conePictureTaken) {
        PlayerView view = currentView();
        bool green = std::any_of(view.seen.begin(), view.seen.end(),
                                 [](const SeenCharacter& c) { return c.coneShown && c.coneGreen; });
        if (green && view.seen.size() >= CONE_PICTURE_MIN_SEEN) {
            shoot("cone.png");
            conePictureTaken = true;
        }
    }
}

// One line that counts down on a terminal, a line every ten seconds elsewhere.
void showProgress()
{
    const GameState& g = gameState;
    if (g.menuMode) return;
    bool terminal = isatty(STDOUT_FILENO);
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

}  // namespace

bool harnessLoadScript(const std::string& path, std::string& error)
{
    // A directory or a FIFO is refused, not read as an empty script (or waited on).
    FileReadResult file = readFile(path.c_str());
    if (file.error != FileReadError::None) {
        error = path + ": cannot read the script: " + fileReadErrorText(file.error);
        return false;
    }
    std::string text(file.bytes.begin(), file.bytes.end());
    std::vector<ScriptEvent> events;
    if (!parseScript(text, path, events, error)) return false;
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    scriptEvents = events;
    nextEvent = 0;
    for (const ScriptEvent& ev : events) {
        if (ev.action == ScriptAction::Clock) replaying = true;
        if (ev.action == ScriptAction::Name) {
            haveRecordedName = true;
            recordedName = ev.path;
        }
    }
    // Until the first frame's reading the recorded game's clock read 0.
    if (replaying) clockHold(0);
    return true;
}

bool harnessReplaying() { return replaying; }

bool harnessRecordedName(std::string& bytes)
{
    if (haveRecordedName) bytes = recordedName;
    return haveRecordedName;
}

void harnessStartRecording()
{
    recording = true;
    if (!replaying) clockHold(0);
}

void harnessStartDemo()
{
    demoPilot.reset(new Autopilot(makeAutopilot(streetWalls(streetTable, STREET_QUAD_COUNT))));
}

void harnessWritePictures(const std::string& dir) { picturesDir = dir; }

void deviceKeyDown(unsigned char key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyDown;
    ev.key = key;
    deviceEvent(ev);
}

void deviceKeyUp(unsigned char key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyUp;
    ev.key = key;
    deviceEvent(ev);
}

void deviceSpecialKey(int key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyDown;
    ev.key = key;
    ev.special = true;
    deviceEvent(ev);
}

void deviceMouseButton(int button, int state, int, int)
{
    ScriptEvent ev{};
    ev.action = state == GLUT_DOWN ? ScriptAction::MouseDown : ScriptAction::MouseUp;
    ev.button = button;
    deviceEvent(ev);
}

void deviceMouseMotion(int x, int y)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::Motion;
    ev.x = x;
    ev.y = y;
    deviceEvent(ev);
}

void deviceReshape(int width, int height)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::Reshape;
    ev.x = width;
    ev.y = height;
    deviceEvent(ev);
}

bool harnessOpenTrace(const std::string& path, std::string& error)
{
    // Without waiting: a FIFO nobody reads yet is refused (ENXIO) instead of blocking here.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, TRACE_FILE_MODE);
    int flags = fd < 0 ? -1 : fcntl(fd, F_GETFL);
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        traceFile = fdopen(fd, "w");
    if (!traceFile) {
        error = path + ": cannot write the trace: " +
                (errno == ENXIO ? TRACE_FIFO_UNREAD : std::strerror(errno));
        if (fd >= 0) close(fd);
        return false;
    }
    tracePath = path;
    std::atexit(closeTrace);
    return true;
}

void harnessBeginFrame()
{
    ++frameNumber;
    if (frameEndWallMs < 0) frameEndWallMs = wallClockMs();
    if (clockIsFixedStep()) clockSetFrame(frameNumber);
    // A recorded game's clock reads one value per frame, so that its replay can read the same.
    if (recording && !replaying) recordClock(frameNumber, clockHoldCurrent());
    screenshotsThisFrame.clear();
    while (nextEvent < scriptEvents.size() && scriptEvents[nextEvent].frame <= frameNumber) {
        const ScriptEvent& ev = scriptEvents[nextEvent++];
        if (ev.frame != frameNumber) continue;
        // A screenshot shows what this frame draws, so it waits until the frame is drawn.
        if (ev.action == ScriptAction::Screenshot) screenshotsThisFrame.push_back(ev.path);
        else deliver(ev, frameNumber);
    }
    // The autopilot answers what the last frame showed, as a player would.
    if (demoPilot)
        for (const ScriptEvent& ev : autopilotStep(*demoPilot, currentView()))
            deliver(ev, frameNumber);
}

void harnessBeforeSwap()
{
    for (const std::string& path : screenshotsThisFrame)
        saveScreenshot(path.c_str(), (int)windowWidth, (int)windowHeight);
    if (!picturesDir.empty()) takePictures();
}

void harnessEndFrame()
{
    double now = wallClockMs();
    frameWallMs = now - frameEndWallMs;
    frameEndWallMs = now;
    const char* names[SOUND_NAMES_PER_FRAME];
    int n = soundTakeStartedNames(names, SOUND_NAMES_PER_FRAME);
    if (demoPilot) showProgress();
    if (!traceFile) return;
    std::vector<std::string> sounds(names, names + n);
    std::string line = traceLine(frameNumber, sounds);
    // A trace that silently stops would pass for a run that stopped: a failed write ends it.
    if (std::fprintf(traceFile, "%s\n", line.c_str()) < 0 || std::fflush(traceFile) != 0) {
        std::fprintf(stderr, TRACE_WRITE_FAILED_FORMAT, tracePath.c_str(), frameNumber,
                     std::strerror(errno));
        std::exit(EXIT_TRACE_FAILED);
    }
}

long harnessFrameNumber() { return frameNumber; }

std::string traceLine(long frame, const std::vector<std::string>& sounds)
{
    const GameState& g = gameState;
    std::string s = "{\"frame\": " + std::to_string(frame);
    s += ", \"clock\": " + std::to_string(clockMilliseconds());
    s += std::string(", \"menuMode\": ") + jsonBool(g.menuMode);
    s += ", \"menuIndex\": " + std::to_string(g.menuIndex);
    s += std::string(", \"aboutShown\": ") + jsonBool(g.aboutShown);
    s += std::string(", \"helpShown\": ") + jsonBool(g.helpShown);
    s += std::string(", \"gameOver\": ") + jsonBool(g.gameOver);
    s += ", \"score\": " + std::to_string(g.score);
    s += ", \"secondsLeft\": " + std::to_string(g.secondsLeft);
    s += ", \"forwardAxis\": " + std::to_string(g.forwardAxis);
    s += ", \"strafeAxis\": " + std::to_string(g.strafeAxis);
    s += std::string(", \"fistShown\": ") + jsonBool(g.fistShown);
    s += std::string(", \"flyerClick\": ") + jsonBool(g.flyerClick);
    s += ", \"frameTime\": " + jsonFloat(g.frameTime);
    s += ", \"frameWallMs\": " + jsonFloat((float)frameWallMs);
    s += ", \"moveSpeed\": " + jsonFloat(g.moveSpeed);
    s += ", \"windowWidth\": " + jsonFloat(windowWidth);
    s += ", \"windowHeight\": " + jsonFloat(windowHeight);
    s += ", \"playerName\": " + jsonString(std::string(playerName, PLAYER_NAME_SIZE - 1));
    s += ", \"position\": " + jsonVector(playerCamera.position);
    s += ", \"view\": " + jsonVector(playerCamera.view);
    s += ", \"characters\": " + jsonCharacters();
    s += ", \"charactersOutsideView\": " + std::to_string(charactersOutsideView());
    s += ", \"highscores\": " + (g.gameOver ? jsonHighscores() : std::string("null"));
    s += ", \"sounds\": [";
    for (size_t i = 0; i < sounds.size(); ++i) s += (i ? ", " : "") + jsonString(sounds[i]);
    return s + "]}";
}
