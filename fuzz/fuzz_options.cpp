// Fuzz target: the command-line parser over arbitrary arguments (the input split at NUL
// bytes, after the program name).
// An accepted command line keeps the program name first among the arguments passed on to
// the window system, passes on only arguments that are neither options nor their values,
// and holds a usable clock step: none, or a positive finite number of milliseconds that
// stays positive in the clock's own type. A refused one gives a reason.
// Depends on: app/options.h, fuzz_check.h.
#include "app/options.h"
#include "fuzz/fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
const char* const PROGRAM_NAME = "kerbrunner";
const char* const FIXED_STEP_OPTION = "--fixed-step";
const char* const SHORT_HELP_OPTION = "-h";

// The options that take a value, from the game's own option table (what --help and the
// manual page list), so that options added to the game are read the same way here.
std::vector<std::string> valueOptions()
{
    std::vector<std::string> result;
    for (int i = 0; i < OPTION_HELP_COUNT; ++i)
        if (*OPTION_HELP[i].argument != '\0') result.push_back(OPTION_HELP[i].name);
    return result;
}

bool isListed(const std::string& option)
{
    for (int i = 0; i < OPTION_HELP_COUNT; ++i)
        if (option == OPTION_HELP[i].name) return true;
    return false;
}

bool acceptedAlone(const std::string& option)
{
    std::string name = PROGRAM_NAME, copy = option;
    char* argv[] = {&name[0], &copy[0], nullptr};
    Options options;
    std::string error;
    return parseOptions(2, argv, options, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words{PROGRAM_NAME};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += (char)data[i];
        }
    }
    if (size > 0) words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);

    static const std::vector<std::string> VALUE_OPTIONS = valueOptions();
    FUZZ_CHECK(VALUE_OPTIONS.size() >= 5);
    Options options;
    std::string error;
    bool ok = parseOptions((int)words.size(), argv.data(), options, error);
    if (!ok) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    // Walked here the way a person reads the command line: an option that takes a value
    // takes the next argument, whatever it looks like.
    std::vector<std::string> expectedPassOn{PROGRAM_NAME};
    bool stepGiven = false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i];
        bool takesValue = false;
        for (const std::string& option : VALUE_OPTIONS)
            if (w == option) takesValue = true;
        // Options the table leaves out on purpose (the benchmark's): one that takes a value
        // is refused when given alone.
        if (!takesValue && w.compare(0, 2, "--") == 0 && !isListed(w))
            takesValue = !acceptedAlone(w);
        if (takesValue) {
            stepGiven = stepGiven || w == FIXED_STEP_OPTION;
            ++i;
        } else if (w != SHORT_HELP_OPTION && w.compare(0, 2, "--") != 0) {
            expectedPassOn.push_back(w);
        }
    }
    FUZZ_CHECK(options.passOn == expectedPassOn);
    FUZZ_CHECK(std::isfinite(options.fixedStepMs) && options.fixedStepMs >= 0.0f);
    // A step that was asked for and accepted must not have turned into "no step".
    if (stepGiven) FUZZ_CHECK(options.fixedStepMs > 0.0f);
    FUZZ_CHECK(!options.hasName || !options.name.empty());
    return 0;
}
