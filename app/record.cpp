// Recordings in the script format, with the name header and clock lines.
// Depends on: record.h, key_codes.h, terminal_text.h.
#include "app/record.h"
#include "app/terminal_text.h"

#include "app/key_codes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/output_file.h"

namespace {

const unsigned char FIRST_PRINTABLE = 33;   // '!': a space would split the word
const unsigned char LAST_PRINTABLE = 126;
const char COMMENT_SIGN = '#';
const char ESCAPE_SIGN = '%';

const int EXIT_RECORD_FAILED = 1;
const long NO_FRAME = -1;  // a header line, written before the first frame
const char* const RECORD_WRITE_FAILED_FORMAT = "kerbrunner: %s: cannot write the recording: %s\n";
const char* const RECORD_FRAME_FAILED_FORMAT =
    "kerbrunner: %s: cannot write the recording at frame %ld: %s\n";

std::FILE* recordFile = nullptr;
std::string recordPath;
bool writeFailed = false;

void closeRecording()
{
    if (recordFile && std::fclose(recordFile) != 0 && !writeFailed)
        std::fprintf(stderr, "kerbrunner: %s: the recording is incomplete: %s\n",
                     shownPath(recordPath).c_str(), std::strerror(errno));
    recordFile = nullptr;
}

void writeFailure(const char* format, long frame)
{
    int error = errno;
    writeFailed = true;
    const std::string shown = shownPath(recordPath);
    if (frame < 0) std::fprintf(stderr, format, shown.c_str(), std::strerror(error));
    else std::fprintf(stderr, format, shown.c_str(), frame, std::strerror(error));
    std::exit(EXIT_RECORD_FAILED);
}

// The lines of a frame are pushed out with it, so that a game that crashes still leaves all
// but its last frame; the header lines wait for the first frame. A recording that cannot be
// written would pass for a game cut short: a failed write ends the game.
void writeLine(const std::string& line, long frame = NO_FRAME)
{
    if (!recordFile) return;
    if (std::fprintf(recordFile, "%s\n", line.c_str()) < 0)
        writeFailure(frame < 0 ? RECORD_WRITE_FAILED_FORMAT : RECORD_FRAME_FAILED_FORMAT, frame);
    if (frame >= 0 && std::fflush(recordFile) != 0)
        writeFailure(RECORD_FRAME_FAILED_FORMAT, frame);
}

std::string keyWord(const ScriptEvent& ev)
{
    if (ev.special) {
        if (ev.key == SPECIAL_KEY_UP) return "up";
        if (ev.key == SPECIAL_KEY_DOWN) return "down";
        return "special:" + std::to_string(ev.key);
    }
    if (ev.key == KEY_ENTER) return "enter";
    if (ev.key == KEY_ESCAPE) return "escape";
    if (ev.key >= FIRST_PRINTABLE && ev.key <= LAST_PRINTABLE && ev.key != COMMENT_SIGN)
        return std::string(1, (char)ev.key);
    return "char:" + std::to_string(ev.key);
}

std::string buttonWord(int button)
{
    if (button == MOUSE_LEFT_BUTTON) return "left";
    if (button == MOUSE_RIGHT_BUTTON) return "right";
    if (button == MOUSE_MIDDLE_BUTTON) return "middle";
    return std::to_string(button);
}

}  // namespace

std::string formatScriptEvent(const ScriptEvent& ev)
{
    switch (ev.action) {
    case ScriptAction::KeyDown: return "keydown " + keyWord(ev);
    case ScriptAction::KeyUp: return "keyup " + keyWord(ev);
    case ScriptAction::MouseDown: return "mousedown " + buttonWord(ev.button);
    case ScriptAction::MouseUp: return "mouseup " + buttonWord(ev.button);
    case ScriptAction::Motion: return "motion " + std::to_string(ev.x) + " " + std::to_string(ev.y);
    case ScriptAction::Screenshot: return "screenshot " + ev.path;
    case ScriptAction::Quit: return "quit";
    case ScriptAction::Clock: return "clock " + std::to_string(ev.clockMs);
    case ScriptAction::Reshape:
        return "reshape " + std::to_string(ev.x) + " " + std::to_string(ev.y);
    case ScriptAction::Name: return "name " + encodeNameWord(ev.path.data(), ev.path.size());
    case ScriptAction::Table: return "table " + encodeNameWord(ev.path.data(), ev.path.size());
    }
    return "";
}

std::string encodeNameWord(const char* bytes, size_t count)
{
    std::string word;
    for (size_t i = 0; i < count; ++i) {
        unsigned char b = (unsigned char)bytes[i];
        if (b >= FIRST_PRINTABLE && b <= LAST_PRINTABLE && b != COMMENT_SIGN && b != ESCAPE_SIGN) {
            word += (char)b;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", (unsigned)b);
            word += hex;
        }
    }
    return word;
}

bool recordOpen(const std::string& path, std::string& error)
{
    std::string reason;
    // A FIFO nobody reads yet is refused instead of holding the game up before its window.
    recordFile = openOutputFileNoWait(path.c_str(), reason);
    if (!recordFile) {
        error = shownPath(path) + ": cannot write the recording: " + reason;
        return false;
    }
    recordPath = path;
    std::atexit(closeRecording);
    writeLine("# Kerb Runner recording: replay with --script");
    return true;
}

bool recordActive() { return recordFile != nullptr; }

void recordName(const char* bytes, size_t count)
{
    writeLine("name " + encodeNameWord(bytes, count));
}

void recordTable(const char* bytes, size_t count)
{
    writeLine("table " + encodeNameWord(bytes, count));
}

void recordEvent(long frame, const ScriptEvent& ev)
{
    writeLine(std::to_string(frame) + " " + formatScriptEvent(ev), frame);
}

void recordClock(long frame, uint32_t ms)
{
    writeLine(std::to_string(frame) + " clock " + std::to_string(ms), frame);
}
