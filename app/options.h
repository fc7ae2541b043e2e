// Command-line options of the game.
// Depends on: nothing.
#pragma once
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
    std::vector<std::string> passOn;  // arguments left for GLUT (program name first)
};

// One line of the help: an option, with the name of its value if it takes one.
struct OptionHelp {
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

// Returns false with a one-line reason in error when the command line is wrong.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);
