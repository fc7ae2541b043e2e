// Fuzz target: the input-script parser over arbitrary text.
// An accepted script holds one event per line that has words, in order, each with the frame
// number and the kind of event its line names (and the motion's, clock's and window size's
// numbers, the key, the screenshot's path, a recording's name); a refused one says where,
// as "FILE:LINE: ...", in a message of bounded length however long the line was.
// Depends on: app/script.h, fuzz_check.h.
#include "app/script.h"
#include "fuzz/fuzz_check.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const FILE_NAME = "fuzz.script";
// Generous: the message quotes at most a short prefix of the word it objects to.
const size_t ERROR_LENGTH_LIMIT = 512;

struct Verb {
    const char* word;
    ScriptAction action;
};
const Verb VERBS[] = {
    {"keydown", ScriptAction::KeyDown},     {"keyup", ScriptAction::KeyUp},
    {"mousedown", ScriptAction::MouseDown}, {"mouseup", ScriptAction::MouseUp},
    {"motion", ScriptAction::Motion},       {"screenshot", ScriptAction::Screenshot},
    {"quit", ScriptAction::Quit},           {"clock", ScriptAction::Clock},
    {"reshape", ScriptAction::Reshape},
};

// The words of each line that has any, comments dropped.
std::vector<std::vector<std::string>> wordLines(const std::string& text)
{
    std::vector<std::vector<std::string>> result;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (!w.empty()) result.push_back(w);
    }
    return result;
}

void checkEvent(const std::vector<std::string>& w, const ScriptEvent& ev)
{
    char* end = nullptr;
    long frame = std::strtol(w[0].c_str(), &end, 10);
    if (end == w[0].c_str()) {
        // A header line of a recording, before any frame: the player's name or the table.
        FUZZ_CHECK(ev.frame == 0 && w.size() == 2 &&
                   (ev.action == ScriptAction::Name || ev.action == ScriptAction::Table));
        std::string bytes;
        FUZZ_CHECK(decodeNameWord(w[1], bytes) && bytes == ev.path);
        return;
    }
    FUZZ_CHECK(w.size() >= 2);
    FUZZ_CHECK(ev.frame >= 1 && ev.frame <= INT_MAX && ev.frame == frame);
    for (const Verb& v : VERBS)
        if (w[1] == v.word) FUZZ_CHECK(ev.action == v.action);
    if (ev.action == ScriptAction::Motion) {
        FUZZ_CHECK(w.size() == 4);
        FUZZ_CHECK(std::strtol(w[2].c_str(), nullptr, 10) == ev.x);
        FUZZ_CHECK(std::strtol(w[3].c_str(), nullptr, 10) == ev.y);
    }
    if ((ev.action == ScriptAction::KeyDown || ev.action == ScriptAction::KeyUp) &&
        w[2].size() == 1)
        FUZZ_CHECK(!ev.special && ev.key == (unsigned char)w[2][0]);
    if (ev.action == ScriptAction::Screenshot) FUZZ_CHECK(w.size() == 3 && ev.path == w[2]);
    if (ev.action == ScriptAction::Quit) FUZZ_CHECK(w.size() == 2);
    if (ev.action == ScriptAction::Clock)
        FUZZ_CHECK(w.size() == 3 && std::strtoull(w[2].c_str(), nullptr, 10) == ev.clockMs);
    if (ev.action == ScriptAction::Reshape) {
        FUZZ_CHECK(w.size() == 4 && ev.x >= 0 && ev.y >= 0);
        FUZZ_CHECK(std::strtol(w[2].c_str(), nullptr, 10) == ev.x);
        FUZZ_CHECK(std::strtol(w[3].c_str(), nullptr, 10) == ev.y);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text((const char*)data, size);
    std::vector<ScriptEvent> events;
    std::string error;
    bool ok = parseScript(text, FILE_NAME, events, error);
    if (!ok) {
        FUZZ_CHECK(error.rfind(std::string(FILE_NAME) + ":", 0) == 0);
        FUZZ_CHECK(error.size() <= ERROR_LENGTH_LIMIT);
        return 0;
    }
    FUZZ_CHECK(error.empty());
    std::vector<std::vector<std::string>> lines = wordLines(text);
    FUZZ_CHECK(events.size() == lines.size());
    for (size_t i = 0; i < events.size(); ++i) checkEvent(lines[i], events[i]);
    return 0;
}
