// What a hostile or careless command line and script get: a step the clock can keep or a
// clear refusal, and error messages that quote a short prefix of any word, however long.
#include "app/options.h"
#include "app/script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test_hostile_input {

bool parseStep(const std::string& value, float& step, std::string& error)
{
    std::vector<const char*> args = {"kerbrunner", "--fixed-step", value.c_str()};
    Options o;
    bool ok = parseOptions((int)args.size(), const_cast<char**>(args.data()), o, error);
    step = o.fixedStepMs;
    return ok;
}

// The clock keeps the step as a float: a value that is positive as a double but zero or
// denormal as a float, or so small that the millisecond clock would hardly move, is refused.
TEST(FixedStep, OnlyStepsTheClockCanKeepAreTaken)
{
    const struct {
        const char* value;
        bool ok;
        float step;
    } cases[] = {
        {"20", true, 20.0f},      {"0.001", true, 0.001f},  {"60000", true, 60000.0f},
        {"7", true, 7.0f},        {"1e-300", false, 0},     {"1e-45", false, 0},
        {"1e-40", false, 0},      {"0.0009", false, 0},     {"0", false, 0},
        {"-5", false, 0},         {"60000.01", false, 0},   {"1e300", false, 0},
        {"inf", false, 0},        {"nan", false, 0},        {"", false, 0},
        {"20ms", false, 0},       {"0x10", true, 16.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        float step = -1;
        std::string error;
        EXPECT_EQ(parseStep(c.value, step, error), c.ok) << error;
        if (c.ok) {
            EXPECT_EQ(step, c.step);
        } else {
            EXPECT_EQ(error, std::string("--fixed-step needs a number of milliseconds from 0.001 "
                                         "to 60000, got '") + c.value + "'");
        }
    }
}

TEST(QuotedWords, LongWordsAreCutToTheirFirstFortyBytes)
{
    EXPECT_EQ(quotedWord("jump"), "'jump'");
    EXPECT_EQ(quotedWord(std::string(40, 'x')), "'" + std::string(40, 'x') + "'");
    EXPECT_EQ(quotedWord(std::string(41, 'x')), "'" + std::string(40, 'x') + "...' (41 bytes)");
    // Paths: whole up to the longest file name, then cut as a word is.
    std::string path = "/home/" + std::string(249, 'p');
    EXPECT_EQ(shownPath(path), path);
    EXPECT_EQ(shownPath(path + "/"), "'/home/" + std::string(34, 'p') + "...' (256 bytes)");

    std::string huge(50 * 1000 * 1000, 'z');
    std::vector<const char*> args = {"kerbrunner", "--fixed-step", huge.c_str()};
    Options o;
    std::string error;
    EXPECT_FALSE(parseOptions(3, const_cast<char**>(args.data()), o, error));
    EXPECT_LT(error.size(), 200u);
    EXPECT_NE(error.find("(50000000 bytes)"), std::string::npos) << error;
}

// Every place a script error quotes a word from the file.
TEST(ScriptErrors, AHugeWordIsQuotedByItsPrefixOnly)
{
    std::string huge(5 * 1000 * 1000, 'q');
    std::string prefix = "'" + std::string(40, 'q') + "...' (5000000 bytes)";
    const struct {
        std::string line;
        std::string error;
    } cases[] = {
        {huge + " keydown w", "s.txt:1: expected a frame number from 1 up, found " + prefix},
        {"3 " + huge, "s.txt:1: unknown event " + prefix},
        {"3 keydown " + huge, "s.txt:1: unknown key " + prefix},
        {"3 mousedown " + huge, "s.txt:1: unknown button " + prefix + " (left, right or middle)"},
        {"3 motion " + huge + " 4", "s.txt:1: motion takes two whole numbers X Y"},
    };
    for (const auto& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(parseScript(c.line + "\n", "s.txt", events, error));
        EXPECT_EQ(error, c.error);
    }
}

// Values at the very ends of int reach the game as they are: the camera copes with them.
TEST(ScriptErrors, MotionTakesEveryIntAndNothingBeyond)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseScript("1 motion -2147483648 2147483647\n", "s.txt", events, error)) << error;
    EXPECT_EQ(events[0].x, INT32_MIN);
    EXPECT_EQ(events[0].y, INT32_MAX);
    for (const char* line : {"1 motion -2147483649 0\n", "1 motion 0 2147483648\n",
                             "1 motion 99999999999999999999999 0\n", "1 motion 1.5 0\n"}) {
        SCOPED_TRACE(line);
        events.clear();
        EXPECT_FALSE(parseScript(line, "s.txt", events, error));
        EXPECT_EQ(error, "s.txt:1: motion takes two whole numbers X Y");
    }
}

}  // namespace test_hostile_input
