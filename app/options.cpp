// Parsing of the game's command line; unknown arguments are left for GLUT.
// Depends on: options.h.
#include "app/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const USAGE_TEXT =
    "usage: kerbrunner [OPTIONS]\n"
    "Walk the street and hand out flyers to the passers-by before the time runs out.\n"
    "\n"
    "  --help            show this text and exit\n"
    "  --version         show the version and exit\n"
    "  --windowed        play in a 1024 x 768 window instead of full screen\n"
    "  --name NAME       use NAME (first 7 characters) and skip the name prompt\n"
    "  --data DIR        read the game data from DIR (default: the working directory)\n"
    "  --fixed-step MS   the clock advances MS milliseconds per frame (deterministic runs)\n"
    "  --script FILE     read input events from FILE (one 'FRAME event ...' per line)\n"
    "  --trace FILE      write one JSON line of game state per frame to FILE\n";

namespace {

bool takeValue(int argc, char** argv, int& i, const char* option, std::string& value,
               std::string& error)
{
    if (i + 1 >= argc) {
        error = std::string(option) + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error)
{
    if (argc > 0) options.passOn.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        std::string value;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(arg, "--version") == 0) {
            options.version = true;
        } else if (std::strcmp(arg, "--windowed") == 0) {
            options.windowed = true;
        } else if (std::strcmp(arg, "--name") == 0) {
            if (!takeValue(argc, argv, i, arg, options.name, error)) return false;
            if (options.name.empty()) {
                error = "--name needs a non-empty name";
                return false;
            }
            options.hasName = true;
        } else if (std::strcmp(arg, "--data") == 0) {
            if (!takeValue(argc, argv, i, arg, options.dataDir, error)) return false;
        } else if (std::strcmp(arg, "--fixed-step") == 0) {
            if (!takeValue(argc, argv, i, arg, value, error)) return false;
            char* end = nullptr;
            double ms = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !std::isfinite(ms) || ms <= 0 || ms > 60000) {
                error = "--fixed-step needs a number of milliseconds above 0, got '" + value + "'";
                return false;
            }
            options.fixedStepMs = (float)ms;
        } else if (std::strcmp(arg, "--script") == 0) {
            if (!takeValue(argc, argv, i, arg, options.scriptPath, error)) return false;
        } else if (std::strcmp(arg, "--trace") == 0) {
            if (!takeValue(argc, argv, i, arg, options.tracePath, error)) return false;
        } else if (std::strncmp(arg, "--", 2) == 0) {
            error = std::string("unknown option ") + arg;
            return false;
        } else {
            options.passOn.push_back(arg);
        }
    }
    return true;
}
