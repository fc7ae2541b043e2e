// Script parsing: one event per line, checked before the window opens.
// Depends on: script.h, key_codes.h, options.h (quoted words).
#include "app/script.h"

#include "app/key_codes.h"
#include "app/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

namespace {

const long CHAR_CODE_MAX = 255;

bool parseNumber(const std::string& word, long minimum, long& out)
{
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < minimum || v > INT_MAX) return false;
    out = v;
    return true;
}

// A key or button code written as a number: 0 up to maximum.
bool parseCode(const std::string& word, long maximum, int& out)
{
    long v = 0;
    if (!parseNumber(word, 0, v) || v > maximum) return false;
    out = (int)v;
    return true;
}

// A recorded clock reading: 0 up to the largest unsigned 32-bit count.
bool parseClock(const std::string& word, uint32_t& out)
{
    if (word.empty() || word[0] < '0' || word[0] > '9') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > UINT32_MAX) return false;
    out = (uint32_t)v;
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// ", found 'WORD'" for a header line of one word that could not be read; nothing for a line
// of another length, whose fault the message already names.
std::string foundWord(const std::vector<std::string>& words)
{
    return words.size() == 2 ? ", found " + quotedWord(words[1]) : "";
}

}  // namespace

bool decodeNameWord(const std::string& word, std::string& bytes)
{
    bytes.clear();
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%') {
            bytes += word[i];
            continue;
        }
        if (i + 2 >= word.size()) return false;
        int high = hexDigit(word[i + 1]), low = hexDigit(word[i + 2]);
        if (high < 0 || low < 0) return false;
        bytes += (char)(high * 16 + low);
        i += 2;
    }
    return true;
}

namespace {

bool parseKey(const std::string& word, ScriptEvent& ev)
{
    ev.special = false;
    if (word == "enter") ev.key = KEY_ENTER;
    else if (word == "escape") ev.key = KEY_ESCAPE;
    else if (word == "up") { ev.key = SPECIAL_KEY_UP; ev.special = true; }
    else if (word == "down") { ev.key = SPECIAL_KEY_DOWN; ev.special = true; }
    else if (word.size() == 1) ev.key = (unsigned char)word[0];
    else if (word.compare(0, 5, "char:") == 0)
        return parseCode(word.substr(5), CHAR_CODE_MAX, ev.key);
    else if (word.compare(0, 8, "special:") == 0) {
        ev.special = true;
        return parseCode(word.substr(8), INT_MAX, ev.key);
    } else return false;
    return true;
}

bool parseButton(const std::string& word, int& button)
{
    if (word == "left") button = MOUSE_LEFT_BUTTON;
    else if (word == "right") button = MOUSE_RIGHT_BUTTON;
    else if (word == "middle") button = MOUSE_MIDDLE_BUTTON;
    else return parseCode(word, INT_MAX, button);
    return true;
}

// Parses the words after the frame number; returns an empty string or what is wrong.
std::string parseAction(const std::vector<std::string>& w, ScriptEvent& ev)
{
    const std::string& verb = w[1];
    size_t args = w.size() - 2;
    if (verb == "keydown" || verb == "keyup") {
        ev.action = verb == "keydown" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
        if (args != 1) return verb + " takes one key";
        if (!parseKey(w[2], ev)) return "unknown key " + quotedWord(w[2]);
    } else if (verb == "mousedown" || verb == "mouseup") {
        ev.action = verb == "mousedown" ? ScriptAction::MouseDown : ScriptAction::MouseUp;
        if (args != 1) return verb + " takes one button";
        if (!parseButton(w[2], ev.button)) return "unknown button " + quotedWord(w[2]) + " (left, right or middle)";
    } else if (verb == "motion") {
        ev.action = ScriptAction::Motion;
        long x = 0, y = 0;
        if (args != 2 || !parseNumber(w[2], INT_MIN, x) || !parseNumber(w[3], INT_MIN, y))
            return "motion takes two whole numbers X Y";
        ev.x = (int)x;
        ev.y = (int)y;
    } else if (verb == "screenshot") {
        ev.action = ScriptAction::Screenshot;
        if (args != 1) return "screenshot takes one path";
        ev.path = w[2];
    } else if (verb == "quit") {
        ev.action = ScriptAction::Quit;
        if (args != 0) return "quit takes nothing";
    } else if (verb == "clock") {
        ev.action = ScriptAction::Clock;
        if (args != 1 || !parseClock(w[2], ev.clockMs))
            return "clock takes one whole number of milliseconds from 0 to 4294967295";
    } else if (verb == "reshape") {
        ev.action = ScriptAction::Reshape;
        long width = 0, height = 0;
        if (args != 2 || !parseNumber(w[2], 0, width) || !parseNumber(w[3], 0, height))
            return "reshape takes a width and a height in pixels";
        ev.x = (int)width;
        ev.y = (int)height;
    } else {
        return "unknown event " + quotedWord(verb);
    }
    return "";
}

}  // namespace

bool parseScript(const std::string& text, const std::string& fileName,
                 std::vector<ScriptEvent>& events, std::string& error)
{
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    bool haveClock = false;
    long lastClockFrame = 0;
    uint32_t lastClockMs = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";
        ScriptEvent ev{};
        if (w[0] == "name") {
            // A recording's header: the player's name, before any frame.
            ev.frame = 0;
            ev.action = ScriptAction::Name;
            if (w.size() != 2 || !decodeNameWord(w[1], ev.path)) {
                error = where + "name takes one word, with %XX for bytes that are not printable" +
                        foundWord(w);
                return false;
            }
            events.push_back(ev);
            continue;
        }
        if (w[0] == "table") {
            // A recording's header: the 60 bytes of the table its game ranked its score in.
            ev.frame = 0;
            ev.action = ScriptAction::Table;
            if (w.size() != 2 || !decodeNameWord(w[1], ev.path) ||
                ev.path.size() != (size_t)RECORDED_TABLE_SIZE) {
                error = where + "table takes one word of " + std::to_string(RECORDED_TABLE_SIZE) +
                        " bytes, with %XX for bytes that are not printable" + foundWord(w);
                return false;
            }
            events.push_back(ev);
            continue;
        }
        if (!parseNumber(w[0], 1, ev.frame)) {
            error = where + "expected a frame number from 1 up, found " + quotedWord(w[0]);
            return false;
        }
        if (w.size() < 2) {
            error = where + "missing the event after the frame number";
            return false;
        }
        std::string problem = parseAction(w, ev);
        if (!problem.empty()) {
            error = where + problem;
            return false;
        }
        // A clock that went back would stop the countdown and hold the game still.
        if (ev.action == ScriptAction::Clock) {
            if (haveClock && (ev.frame < lastClockFrame || ev.clockMs < lastClockMs)) {
                error = where + "the clock goes back: frame " + std::to_string(ev.frame) +
                        " reads " + std::to_string(ev.clockMs) + " after frame " +
                        std::to_string(lastClockFrame) + " read " + std::to_string(lastClockMs);
                return false;
            }
            haveClock = true;
            lastClockFrame = ev.frame;
            lastClockMs = ev.clockMs;
        }
        events.push_back(ev);
    }
    return true;
}
