// Parsing of the game's command line; unknown arguments are left for GLUT.
// Depends on: options.h.
#include "app/options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

// Every option, script event and trace field is described once, here: --help and the
// manual page (kerbrunner.6, written by kerbrunner-manual at build time) both come from
// these tables.
const OptionHelp OPTION_HELP[] = {
    {OptionId::Help, "--help", "", "show this text and exit"},
    {OptionId::Version, "--version", "", "show the version and exit"},
    {OptionId::Windowed, "--windowed", "", "play in a 1024 x 768 window instead of full screen"},
    {OptionId::Name, "--name", "NAME", "use NAME (first 7 characters) and skip the name prompt"},
    {OptionId::LoginName, "--login-name", "",
     "use your login name ($USER, first 7 characters) and skip the name prompt; the menu "
     "entry starts the game this way"},
    {OptionId::Data, "--data", "DIR",
     "read the game data from DIR (default: data beside the program, or the installed "
     "share/kerbrunner)"},
    {OptionId::FixedStep, "--fixed-step", "MS", "the clock advances MS milliseconds per frame (deterministic runs)"},
    {OptionId::Script, "--script", "FILE", "read input events from FILE (one 'FRAME event ...' per line)"},
    {OptionId::Trace, "--trace", "FILE", "write one JSON line of game state per frame to FILE"},
    {OptionId::Demo, "--demo", "", "the autopilot plays a whole game (name 'demo' unless --name gives one)"},
    {OptionId::Record, "--record", "FILE",
     "write the game (name, every input event, every frame's clock) to FILE as a script "
     "that --script replays exactly"},
    {OptionId::Pictures, "--pictures", "DIR",
     "write PNGs into DIR: the menu, every 10 seconds of play, the first green cone, the "
     "fist and the table"},
};
const int OPTION_HELP_COUNT = (int)(sizeof OPTION_HELP / sizeof OPTION_HELP[0]);
const OptionHelp BENCH_OPTIONS[] = {
    {OptionId::BenchStartup, "--bench-startup", "", "time the start-up to the first frame"},
    {OptionId::BenchFloors, "--bench-floors", "FRAME", "measure the drawing floors at FRAME"},
};
const int BENCH_OPTION_COUNT = (int)(sizeof BENCH_OPTIONS / sizeof BENCH_OPTIONS[0]);

const HelpEntry SCRIPT_EVENT_HELP[] = {
    {"FRAME keydown KEY", "KEY: one character, or enter, escape, up, down"},
    {"FRAME keyup KEY", "releases KEY"},
    {"FRAME mousedown BUTTON", "BUTTON: left, right or middle"},
    {"FRAME mouseup BUTTON", "releases BUTTON"},
    {"FRAME motion X Y", "pointer position in window pixels"},
    {"FRAME screenshot PATH", "a PNG of the picture frame FRAME shows"},
    {"FRAME quit", "leave the game as Escape in play does"},
    {"FRAME clock MS", "recordings: the clock reads MS from here on"},
    {"FRAME reshape W H", "recordings: the window takes the size W x H"},
    {"name NAME", "recordings: the player's name, bytes that are not printable as %XX"},
    {"table BYTES", "recordings: the 60 bytes of the top-five table the game ranked its "
                    "score in, as the name is written; a replay shows that table"},
    {"char:N, special:N", "recordings: any key by its code; a mouse button may be a number"},
};
const int SCRIPT_EVENT_HELP_COUNT = (int)(sizeof SCRIPT_EVENT_HELP / sizeof SCRIPT_EVENT_HELP[0]);

const HelpEntry TRACE_FIELD_HELP[] = {
    {"frame", "the displayed frame, counted from 1"},
    {"clock", "the game clock in milliseconds"},
    {"menuMode, menuIndex, aboutShown, helpShown", "the menu and its pages"},
    {"gameOver, score, secondsLeft", "the game's progress"},
    {"playerName", "the 7 bytes of the name written into the table"},
    {"forwardAxis, strafeAxis, fistShown", "the held keys and the fist picture"},
    {"frameTime", "the frame's time in milliseconds"},
    {"frameWallMs", "the real time the frame took in milliseconds, even under --fixed-step"},
    {"position, view", "the player's eye and the point it looks at, as [x, y, z]"},
    {"sounds", "the sound files started in the frame"},
    {"characters", "the 49 passers-by in roster order: position, heading (degrees), isNear, "
                   "isReady and frame (the keyframe shown)"},
    {"charactersOutsideView", "passers-by whose drawing was skipped, out of sight"},
    {"highscores", "null until the game is over, then the five records of the table as "
                   "strings of their 12 bytes"},
};
const int TRACE_FIELD_HELP_COUNT = (int)(sizeof TRACE_FIELD_HELP / sizeof TRACE_FIELD_HELP[0]);

namespace {

const char* const USAGE_LINE = "usage: kerbrunner [OPTIONS]\n";
const char* const SUMMARY =
    "Walk the street and hand out flyers to the passers-by before the time runs out.";
const size_t HELP_TERM_WIDTH = 20;  // column where the descriptions of --help start
const size_t HELP_LINE_WIDTH = 79;

// Words of text laid into lines no longer than the width, from column indent on; the first
// line continues after a term already printed up to that column.
std::string wrapped(const std::string& text, size_t indent, size_t width)
{
    std::string out, line;
    size_t start = 0;
    while (start < text.size()) {
        size_t space = text.find(' ', start);
        std::string word = text.substr(start, space == std::string::npos ? std::string::npos
                                                                         : space - start);
        start = space == std::string::npos ? text.size() : space + 1;
        if (!line.empty() && indent + line.size() + 1 + word.size() > width) {
            out += line + "\n" + std::string(indent, ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line + "\n";
}

std::string helpEntry(const std::string& term, const char* text)
{
    std::string out = "  " + term;
    if (out.size() + 2 > HELP_TERM_WIDTH) out += "\n" + std::string(HELP_TERM_WIDTH, ' ');
    else out += std::string(HELP_TERM_WIDTH - out.size(), ' ');
    return out + wrapped(text, HELP_TERM_WIDTH, HELP_LINE_WIDTH);
}

std::string optionTerm(const OptionHelp& option)
{
    return std::string(option.name) + (*option.argument ? " " : "") + option.argument;
}

// Text for roff: backslashes and minus signs escaped, no line may start with a control
// character.
std::string roff(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
    return out;
}

void manEntry(std::string& out, const std::string& boldPart, const std::string& italicPart,
              const char* text)
{
    out += ".TP\n";
    if (italicPart.empty()) out += ".B " + roff(boldPart) + "\n";
    else out += ".BI \"" + roff(boldPart) + " \" \"" + roff(italicPart) + "\"\n";
    out += roff(text) + "\n";
}

}  // namespace

std::string usageText()
{
    std::string out = USAGE_LINE;
    out += std::string(SUMMARY) + "\n\n";
    for (const OptionHelp& option : OPTION_HELP) out += helpEntry(optionTerm(option), option.help);
    out += "\nScript lines (FRAME counts displayed frames from 1; # starts a comment):\n";
    for (const HelpEntry& event : SCRIPT_EVENT_HELP) out += helpEntry(event.term, event.text);
    out += "\nThe manual page kerbrunner(6) describes the trace's fields.\n";
    return out;
}

std::string manualPageFromHelp(const std::string& help, const char* name, const char* section,
                               const char* summary, const char* version)
{
    std::string upper;
    for (const char* c = name; *c; ++c) upper += (char)std::toupper((unsigned char)*c);
    std::string out = ".TH " + roff(upper) + " " + section + " \"\" \"Kerb Runner " +
                      roff(version) + "\"\n.SH NAME\n" + roff(name) + " \\- " + roff(summary) +
                      "\n";
    const std::string usage = "usage: ";
    bool inList = false;
    size_t start = 0;
    while (start < help.size()) {
        size_t end = help.find('\n', start);
        if (end == std::string::npos) end = help.size();
        std::string line = help.substr(start, end - start);
        start = end + 1;
        size_t indent = line.find_first_not_of(' ');
        if (line.compare(0, usage.size(), usage) == 0) {
            out += ".SH SYNOPSIS\n" + roff(line.substr(usage.size())) + "\n.SH DESCRIPTION\n";
        } else if (indent == std::string::npos) {
            if (inList) out += ".PP\n";
            inList = false;
        } else if (indent == 2) {
            // An entry: the term, two blanks or more, its text.
            size_t gap = line.find("  ", indent);
            std::string term = line.substr(indent, gap == std::string::npos ? gap : gap - indent);
            size_t text = gap == std::string::npos ? gap : line.find_first_not_of(' ', gap);
            out += ".TP\n.B " + roff(term) + "\n";
            if (text != std::string::npos) out += roff(line.substr(text)) + "\n";
            inList = true;
        } else {
            out += roff(line.substr(indent)) + "\n";
        }
    }
    return out;
}

std::string manualPage(const char* version)
{
    std::string out;
    out += ".TH KERBRUNNER 6 \"\" \"Kerb Runner " + roff(version) + "\" \"Games\"\n";
    out += ".SH NAME\nkerbrunner \\- hand out flyers to the passers\\-by of a city street\n";
    out += ".SH SYNOPSIS\n.B kerbrunner\n.RI [ OPTIONS ]\n";
    out += ".SH DESCRIPTION\n" + roff(SUMMARY) + "\n.PP\n"
           "The console asks for your name first (the table keeps 7 characters), unless\n"
           ".B \\-\\-name\n"
           "or\n.B \\-\\-login\\-name\n"
           "is given. In the menu, up and down choose and Enter opens. In the street, w a s d "
           "walk, the mouse looks about, the left button hands out a flyer to a passer\\-by "
           "whose cone is green, the right button shows or hides the fist. Enter or Escape "
           "ends the program. When the 2:30 are up, the score goes into the top\\-five "
           "table.\n";
    out += ".SH OPTIONS\n";
    for (const OptionHelp& option : OPTION_HELP)
        manEntry(out, option.name, option.argument, option.help);
    out += ".SH SCRIPTS\n"
           "A script given with\n.B \\-\\-script\n"
           "holds one event per line; # starts a comment and blank lines are ignored. "
           "The events of line FRAME go through the same callbacks as real input, in file "
           "order, just before displayed frame FRAME is drawn. A malformed line stops the "
           "program before the window opens, with exit status 2.\n";
    for (const HelpEntry& event : SCRIPT_EVENT_HELP) manEntry(out, event.term, "", event.text);
    out += ".SH TRACE\n"
           "A trace written with\n.B \\-\\-trace\n"
           "holds one JSON object per displayed frame, one per line, written at the end of "
           "the frame. Fields are only ever added; these are there:\n";
    for (const HelpEntry& field : TRACE_FIELD_HELP) manEntry(out, field.term, "", field.text);
    out += ".SH FILES\n"
           ".TP\n.I $XDG_DATA_HOME/kerbrunner/highscore.txt\n"
           "The top\\-five table, five records of 12 bytes. Without XDG_DATA_HOME it is\n"
           ".IR ~/.local/share/kerbrunner/highscore.txt .\n"
           "The directory is made when the first game ends. A table that older versions kept "
           "in the data directory is copied there then, if there is none yet, and left as "
           "it was.\n"
           ".TP\n.I share/kerbrunner\n"
           "The pictures, models and sounds, found relative to the program, or\n"
           ".I data\n"
           "beside the program in a build tree.\n";
    out += ".SH ENVIRONMENT\n"
           ".TP\n.B XDG_DATA_HOME\nWhere the player's files are kept.\n"
           ".TP\n.B HOME\nUsed when XDG_DATA_HOME is not set.\n"
           ".TP\n.B USER\nThe login name taken by\n.BR \\-\\-login\\-name .\n";
    out += ".SH EXIT STATUS\n0 when the game ends normally, 1 without a display or without "
           "its data, 2 for a wrong command line or script.\n";
    return out;
}

namespace {

// A value that starts like an option is refused: a forgotten value would otherwise take the
// next option as a file or a name (--record --windowed would record into "--windowed"). A
// file of such a name can still be given as ./--windowed.
const char* const OPTION_PREFIX = "--";

bool takeValue(int argc, char** argv, int& i, const char* option, std::string& value,
               std::string& error)
{
    if (i + 1 >= argc) {
        error = std::string(option) + " needs a value";
        return false;
    }
    if (std::strncmp(argv[i + 1], OPTION_PREFIX, std::strlen(OPTION_PREFIX)) == 0) {
        error = std::string(option) + " needs a value, not the option " + quotedWord(argv[i + 1]);
        return false;
    }
    value = argv[++i];
    return true;
}

// The options whose value names a file or a directory: an empty one would be dropped as if
// the option were not there.
bool namesAPath(OptionId id)
{
    return id == OptionId::Data || id == OptionId::Script || id == OptionId::Trace ||
           id == OptionId::Record || id == OptionId::Pictures;
}

}  // namespace

bool parseFixedStep(const std::string& value, float& stepMs, std::string& error)
{
    char* end = nullptr;
    double ms = std::strtod(value.c_str(), &end);
    // The clock keeps the step as a float: the check is on what it will hold.
    float step = (float)ms;
    if (value.empty() || *end != '\0' || !std::isfinite(ms) || !(step >= FIXED_STEP_MIN_MS) ||
        !(step <= FIXED_STEP_MAX_MS)) {
        error = "--fixed-step needs a number of milliseconds from " +
                std::string(FIXED_STEP_MIN_TEXT) + " to " + FIXED_STEP_MAX_TEXT + ", got " +
                quotedWord(value);
        return false;
    }
    stepMs = step;
    return true;
}

namespace {

const OptionHelp* findOption(const char* arg)
{
    if (std::strcmp(arg, "-h") == 0) return &OPTION_HELP[0];
    for (const OptionHelp& option : OPTION_HELP)
        if (std::strcmp(arg, option.name) == 0) return &option;
    for (const OptionHelp& option : BENCH_OPTIONS)
        if (std::strcmp(arg, option.name) == 0) return &option;
    return nullptr;
}

bool parseBenchFloorsFrame(const std::string& value, long& frameNumber, std::string& error)
{
    char* end = nullptr;
    long frame = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || frame <= 0 || frame > BENCH_FLOORS_FRAME_MAX) {
        error = "--bench-floors needs a frame number from 1 to " +
                std::to_string(BENCH_FLOORS_FRAME_MAX) + ", got " + quotedWord(value);
        return false;
    }
    frameNumber = frame;
    return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error)
{
    if (argc > 0) options.passOn.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const OptionHelp* option = findOption(arg);
        if (!option) {
            if (std::strncmp(arg, "--", 2) == 0) {
                error = "unknown option " + quotedWord(arg);
                return false;
            }
            options.passOn.push_back(arg);
            continue;
        }
        std::string value;
        if (*option->argument != '\0' && !takeValue(argc, argv, i, arg, value, error)) return false;
        if (namesAPath(option->id) && value.empty()) {
            error = std::string(arg) + " needs a non-empty name";
            return false;
        }
        switch (option->id) {
        case OptionId::Help: options.help = true; break;
        case OptionId::Version: options.version = true; break;
        case OptionId::Windowed: options.windowed = true; break;
        case OptionId::Name:
            if (value.empty()) {
                error = "--name needs a non-empty name";
                return false;
            }
            options.name = value;
            options.hasName = true;
            break;
        case OptionId::LoginName: options.loginName = true; break;
        case OptionId::Data: options.dataDir = value; break;
        case OptionId::FixedStep:
            if (!parseFixedStep(value, options.fixedStepMs, error)) return false;
            break;
        case OptionId::Script: options.scriptPath = value; break;
        case OptionId::Trace: options.tracePath = value; break;
        case OptionId::Demo: options.demo = true; break;
        case OptionId::Record: options.recordPath = value; break;
        case OptionId::Pictures: options.picturesDir = value; break;
        case OptionId::BenchStartup: options.benchStartup = true; break;
        case OptionId::BenchFloors:
            if (!parseBenchFloorsFrame(value, options.benchFloorsFrame, error)) return false;
            break;
        }
    }
    return true;
}
