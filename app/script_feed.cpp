// The loaded script and which of its events comes next.
// Depends on: script_feed.h, script.h (the parser), terminal_text.h, the platform clock and
// file reading.
#include "app/script_feed.h"
#include "app/terminal_text.h"

#include "platform/clock.h"
#include "platform/file_read.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<ScriptEvent> scriptEvents;
size_t nextEvent = 0;
bool replaying = false;
bool haveRecordedName = false;
std::string recordedName;
bool haveRecordedTable = false;
std::string recordedTable;

}  // namespace

bool harnessLoadScript(const std::string& path, std::string& error)
{
    // A directory or a FIFO is refused, not read as an empty script (or waited on).
    FileReadResult file = readFile(path.c_str());
    if (file.error != FileReadError::None) {
        error = shownPath(path) + ": cannot read the script: " + fileReadErrorText(file.error);
        return false;
    }
    std::string text(file.bytes.begin(), file.bytes.end());
    std::vector<ScriptEvent> events;
    if (!parseScript(text, shownPath(path), events, error)) return false;
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    scriptEvents = events;
    nextEvent = 0;
    for (const ScriptEvent& ev : events) {
        if (ev.action == ScriptAction::Clock) replaying = true;
        if (ev.action == ScriptAction::Table) {
            haveRecordedTable = true;
            recordedTable = ev.path;
        }
        if (ev.action == ScriptAction::Name) {
            haveRecordedName = true;
            recordedName = ev.path;
        }
    }
    // Until the first frame's reading the recorded game's clock read 0.
    if (replaying) clockHold(0);
    return true;
}

const ScriptEvent* takeScriptEvent(long frame)
{
    while (nextEvent < scriptEvents.size() && scriptEvents[nextEvent].frame <= frame) {
        const ScriptEvent& ev = scriptEvents[nextEvent++];
        if (ev.frame == frame) return &ev;
    }
    return nullptr;
}

bool harnessReplayRunOut(long frame)
{
    if (!replaying || nextEvent < scriptEvents.size()) return false;
    if (!scriptEvents.empty() && scriptEvents.back().frame >= frame) return false;
    replaying = false;
    clockResume();
    return true;
}

bool harnessReplaying() { return replaying; }

bool harnessRecordedName(std::string& bytes)
{
    if (haveRecordedName) bytes = recordedName;
    return haveRecordedName;
}

bool harnessRecordedTable(std::string& bytes)
{
    if (haveRecordedTable) bytes = recordedTable;
    return haveRecordedTable;
}
