// The console name, the command line and the scripted input.
#include "app/key_codes.h"
#include "app/options.h"
#include "app/script.h"
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace test_startup {

const char INITIAL_NAME[NAME_INPUT_SIZE] = "a      ";

std::string storedName(const char* consoleText)
{
    std::memcpy(nameInput, INITIAL_NAME, sizeof nameInput);
    std::FILE* in = fmemopen((void*)consoleText, std::strlen(consoleText), "r");
    if (std::strlen(consoleText) == 0) in = std::fopen("/dev/null", "r");
    readNameWord(in);
    std::fclose(in);
    storePlayerName(nameInput);
    return std::string(playerName, PLAYER_NAME_SIZE);
}

TEST(PlayerName, LongNamesAreCutToSevenCharacters)
{
    EXPECT_EQ(storedName("Maximilian\n"), std::string("Maximil\0", 8));
}

TEST(PlayerName, ShortNamesKeepTheirNulAndTheLeftoverBlanks)
{
    EXPECT_EQ(storedName("abc\n"), std::string("abc\0   \0", 8));
}

TEST(PlayerName, EndOfInputKeepsTheInitialName)
{
    EXPECT_EQ(storedName(""), std::string("a      \0", 8));
    EXPECT_EQ(storedName("   \n"), std::string("a      \0", 8));
}

TEST(PlayerName, TheReadStopsAtThirtyNineCharacters)
{
    std::string word(60, 'x');
    storedName(word.c_str());
    EXPECT_EQ(std::strlen(nameInput), 39u);
    // A name from the command line goes through the same initial buffer as a typed one.
    std::memcpy(nameInput, INITIAL_NAME, sizeof nameInput);
    setNameFromArgument("Bo");
    EXPECT_EQ(std::string(playerName, 8), std::string("Bo\0    \0", 8));
}

Options parse(std::vector<const char*> args, bool expectOk = true)
{
    args.insert(args.begin(), "kerbrunner");
    Options o;
    std::string error;
    bool ok = parseOptions((int)args.size(), const_cast<char**>(args.data()), o, error);
    EXPECT_EQ(ok, expectOk) << error;
    return o;
}

TEST(CommandLine, OptionsAreReadAndTheRestIsLeftForTheWindowSystem)
{
    Options o = parse({"--windowed", "--name", "Zed", "--fixed-step", "20", "--script", "s.txt",
                       "--trace", "t.jsonl", "--data", "d", "-display", ":3"});
    EXPECT_TRUE(o.windowed);
    EXPECT_TRUE(o.hasName);
    EXPECT_EQ(o.name, "Zed");
    EXPECT_EQ(o.fixedStepMs, 20.0f);
    EXPECT_EQ(o.scriptPath, "s.txt");
    EXPECT_EQ(o.tracePath, "t.jsonl");
    EXPECT_EQ(o.dataDir, "d");
    ASSERT_EQ(o.passOn.size(), 3u);
    EXPECT_EQ(o.passOn[1], "-display");
}

TEST(CommandLine, BadValuesAreRefused)
{
    parse({"--fixed-step", "0"}, false);
    parse({"--fixed-step", "ten"}, false);
    parse({"--name"}, false);
    parse({"--bogus"}, false);
}

TEST(Script, EventsOfEveryKindParse)
{
    std::vector<ScriptEvent> ev;
    std::string error;
    ASSERT_TRUE(parseScript("# start\n2 keydown enter\n\n3 keydown w  # walk\n9 keyup w\n"
                            "4 keydown up\n5 mousedown left\n5 mouseup right\n6 motion 600 -3\n"
                            "7 screenshot /tmp/x.png\n8 quit\n",
                            "s", ev, error))
        << error;
    ASSERT_EQ(ev.size(), 9u);
    EXPECT_EQ(ev[0].frame, 2);
    EXPECT_EQ(ev[0].key, 13);
    EXPECT_EQ(ev[1].key, 'w');
    EXPECT_EQ(ev[2].action, ScriptAction::KeyUp);
    EXPECT_TRUE(ev[3].special);
    EXPECT_EQ(ev[3].key, SPECIAL_KEY_UP);
    EXPECT_EQ(ev[4].button, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(ev[5].action, ScriptAction::MouseUp);
    EXPECT_EQ(ev[5].button, MOUSE_RIGHT_BUTTON);
    EXPECT_EQ(ev[6].y, -3);
    EXPECT_EQ(ev[7].path, "/tmp/x.png");
    EXPECT_EQ(ev[8].action, ScriptAction::Quit);
}

TEST(Script, MalformedLinesNameTheFileLineAndProblem)
{
    const char* bad[][2] = {
        {"1 keydown enter\n0 quit\n", "play.txt:2: expected a frame number from 1 up, found '0'"},
        {"x keydown w\n", "play.txt:1: expected a frame number from 1 up, found 'x'"},
        {"3\n", "play.txt:1: missing the event after the frame number"},
        {"3 jump\n", "play.txt:1: unknown event 'jump'"},
        {"3 keydown space\n", "play.txt:1: unknown key 'space'"},
        {"3 mousedown thumb\n", "play.txt:1: unknown button 'thumb' (left, right or middle)"},
        {"3 motion 4\n", "play.txt:1: motion takes two whole numbers X Y"},
        {"3 quit now\n", "play.txt:1: quit takes nothing"},
    };
    for (auto& c : bad) {
        std::vector<ScriptEvent> ev;
        std::string error;
        EXPECT_FALSE(parseScript(c[0], "play.txt", ev, error)) << c[0];
        EXPECT_EQ(error, c[1]);
    }
}

}  // namespace test_startup
