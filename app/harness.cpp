// Feeds scripted events by frame, writes the trace and takes scripted screenshots.
// Depends on: harness.h, script.h, screenshot.h, game_state.h, camera.h, startup.h,
// the platform clock and sound log.
#include "app/harness.h"

#include "app/game_state.h"
#include "app/highscore_table.h"
#include "app/screenshot.h"
#include "app/script.h"
#include "app/startup.h"
#include "characters/character_draw.h"
#include "characters/roster.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "player/camera.h"

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const int SOUND_NAMES_PER_FRAME = 32;

std::vector<ScriptEvent> scriptEvents;
size_t nextEvent = 0;
std::vector<std::string> screenshotsThisFrame;
long frameNumber = 0;
std::FILE* traceFile = nullptr;

std::string jsonFloat(float v)
{
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", (double)v);
    return buf;
}

std::string jsonVector(const Vector3& v)
{
    return "[" + jsonFloat(v.x) + ", " + jsonFloat(v.y) + ", " + jsonFloat(v.z) + "]";
}

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if ((unsigned char)c < 0x20 || (unsigned char)c >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", (unsigned)(unsigned char)c);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

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

}  // namespace

bool harnessLoadScript(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the script: " + std::strerror(errno);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<ScriptEvent> events;
    if (!parseScript(text.str(), path, events, error)) return false;
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    scriptEvents = events;
    nextEvent = 0;
    return true;
}

bool harnessOpenTrace(const std::string& path, std::string& error)
{
    traceFile = std::fopen(path.c_str(), "w");
    if (!traceFile) {
        error = path + ": cannot write the trace: " + std::strerror(errno);
        return false;
    }
    std::atexit(closeTrace);
    return true;
}

void harnessBeginFrame()
{
    ++frameNumber;
    if (clockIsFixedStep()) clockSetFrame(frameNumber);
    screenshotsThisFrame.clear();
    while (nextEvent < scriptEvents.size() && scriptEvents[nextEvent].frame <= frameNumber) {
        const ScriptEvent& ev = scriptEvents[nextEvent++];
        if (ev.frame != frameNumber) continue;
        // A screenshot shows what this frame draws, so it waits until the frame is drawn.
        if (ev.action == ScriptAction::Screenshot) screenshotsThisFrame.push_back(ev.path);
        else deliverScriptEvent(ev);
    }
}

void harnessBeforeSwap()
{
    for (const std::string& path : screenshotsThisFrame)
        saveScreenshot(path.c_str(), (int)windowWidth, (int)windowHeight);
}

void harnessEndFrame()
{
    const char* names[SOUND_NAMES_PER_FRAME];
    int n = soundTakeStartedNames(names, SOUND_NAMES_PER_FRAME);
    if (!traceFile) return;
    std::vector<std::string> sounds(names, names + n);
    std::string line = traceLine(frameNumber, sounds);
    std::fprintf(traceFile, "%s\n", line.c_str());
    std::fflush(traceFile);
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
