// Command-line options of the game.
// Depends on: nothing.
#pragma once
#include "app/terminal_text.h"

#include <cstddef>
#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool version = false;
    bool windowed = false;
    bool hasName = false;
    bool loginName = false;  // take the login name instead of asking
    std::string name;
    std::string dataDir;
    float fixedStepMs = 0.0f;  // 0: the clock reads wall time
    std::string scriptPath;
    std::string tracePath;
    bool demo = false;         // the autopilot plays
    std::string recordPath;    // write the game down as a script that replays it
    std::string picturesDir;   // PNGs of the menu, the play and the table
    std::vector<std::string> passOn;  // arguments left for GLUT (program name first)
    // Benchmark runs (bench/run), not listed by --help: see app/bench_floors.h.
    bool benchStartup = false;
    long benchFloorsFrame = 0;  // 0: no floors measured
};

// Largest frame --bench-floors takes: a day of frames at a thousand a second.
const long BENCH_FLOORS_FRAME_MAX = 86400000L;

// One line of the help: an option, with the name of its value if it takes one.
// Every option by what it does; its name is written once, in the tables below.
enum class OptionId {
    Help, Version, Windowed, Name, LoginName, Data, FixedStep, Script, Trace, Demo, Record,
    Pictures, BenchStartup, BenchFloors
};

struct OptionHelp {
    OptionId id;
    const char* name;
    const char* argument;  // "" for none
    const char* help;
};
// A script event or a trace field and what it means.
struct HelpEntry {
    const char* term;
    const char* text;
};
extern const OptionHelp OPTION_HELP[];
extern const int OPTION_HELP_COUNT;
// The benchmark's own options (bench/run), not listed by --help.
extern const OptionHelp BENCH_OPTIONS[];
extern const int BENCH_OPTION_COUNT;
extern const HelpEntry SCRIPT_EVENT_HELP[];
extern const int SCRIPT_EVENT_HELP_COUNT;
extern const HelpEntry TRACE_FIELD_HELP[];
extern const int TRACE_FIELD_HELP_COUNT;

// The text of --help and the manual page in roff, both made from the tables above.
std::string usageText();
std::string manualPage(const char* version);
// A manual page made from a tool's --help text: the "usage:" line becomes the synopsis, each
// "  TERM  text" entry (continued on lines indented past the term) an item, other lines plain
// text.
std::string manualPageFromHelp(const std::string& help, const char* name, const char* section,
                               const char* summary, const char* version);

// The fixed step's range. Below a thousandth of a millisecond the millisecond clock would
// advance less than once in a thousand frames, which is a frozen game, not a slow one; above
// a minute the countdown, which ticks at most one second a frame, falls ever further behind. The texts are for messages.
const float FIXED_STEP_MIN_MS = 0.001f;
const float FIXED_STEP_MAX_MS = 60000.0f;
const char* const FIXED_STEP_MIN_TEXT = "0.001";
const char* const FIXED_STEP_MAX_TEXT = "60000";
// The value of --fixed-step: false with the reason in error when it is not a step the clock
// can keep (see FIXED_STEP_MIN_MS).
bool parseFixedStep(const std::string& value, float& stepMs, std::string& error);

// Returns false with a one-line reason in error when the command line is wrong.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);
