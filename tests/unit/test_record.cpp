// Recordings: every event a game can receive is written as a script line that reads back
// as the same event, and the recording's own lines are checked like every other.
#include "app/key_codes.h"
#include "app/record.h"
#include "app/script.h"

#include <gtest/gtest.h>

namespace test_record {

ScriptEvent key(ScriptAction action, int code, bool special = false)
{
    ScriptEvent e{};
    e.action = action;
    e.key = code;
    e.special = special;
    return e;
}

ScriptEvent withButton(ScriptAction action, int button)
{
    ScriptEvent e{};
    e.action = action;
    e.button = button;
    return e;
}

ScriptEvent withXY(ScriptAction action, int x, int y)
{
    ScriptEvent e{};
    e.action = action;
    e.x = x;
    e.y = y;
    return e;
}

ScriptEvent clockAt(uint32_t ms)
{
    ScriptEvent e{};
    e.action = ScriptAction::Clock;
    e.clockMs = ms;
    return e;
}

TEST(Recording, EveryEventReadsBackAsItself)
{
    const ScriptEvent events[] = {
        key(ScriptAction::KeyDown, 'w'),
        key(ScriptAction::KeyUp, 'w'),
        key(ScriptAction::KeyDown, KEY_ENTER),
        key(ScriptAction::KeyDown, KEY_ESCAPE),
        key(ScriptAction::KeyDown, '#'),    // would start a comment
        key(ScriptAction::KeyDown, ' '),    // would split the line
        key(ScriptAction::KeyDown, 0),
        key(ScriptAction::KeyDown, 255),
        key(ScriptAction::KeyDown, 'W'),
        key(ScriptAction::KeyDown, SPECIAL_KEY_UP, true),
        key(ScriptAction::KeyDown, SPECIAL_KEY_DOWN, true),
        key(ScriptAction::KeyDown, 1, true),    // a function key the game ignores
        key(ScriptAction::KeyDown, 'e', true),  // a special key whose code is a letter's
        withButton(ScriptAction::MouseDown, MOUSE_LEFT_BUTTON),
        withButton(ScriptAction::MouseUp, MOUSE_RIGHT_BUTTON),
        withButton(ScriptAction::MouseDown, MOUSE_MIDDLE_BUTTON),
        withButton(ScriptAction::MouseDown, 4),  // a wheel step
        withXY(ScriptAction::Motion, 512, 384),
        withXY(ScriptAction::Motion, -20, 5000),
        withXY(ScriptAction::Reshape, 1024, 768),
        withXY(ScriptAction::Reshape, 0, 0),
        clockAt(0),
        clockAt(4294967295u),
    };
    std::string text;
    long frame = 1;
    for (const ScriptEvent& e : events) text += std::to_string(frame++) + " " + formatScriptEvent(e) + "\n";
    std::vector<ScriptEvent> back;
    std::string error;
    ASSERT_TRUE(parseScript(text, "rec", back, error)) << error << "\n" << text;
    ASSERT_EQ(back.size(), sizeof events / sizeof events[0]);
    for (size_t i = 0; i < back.size(); ++i) {
        const ScriptEvent& a = events[i];
        const ScriptEvent& b = back[i];
        SCOPED_TRACE(formatScriptEvent(a));
        EXPECT_EQ(b.frame, (long)i + 1);
        EXPECT_EQ(b.action, a.action);
        EXPECT_EQ(b.key, a.key);
        EXPECT_EQ(b.special, a.special);
        EXPECT_EQ(b.button, a.button);
        EXPECT_EQ(b.x, a.x);
        EXPECT_EQ(b.y, a.y);
        EXPECT_EQ(b.clockMs, a.clockMs);
    }
}

TEST(Recording, NameKeepsEveryOneOfItsBytes)
{
    const std::string names[] = {"demo", std::string("ab\0cd  ", 7), "50%#off", "\xff\x01 x"};
    for (const std::string& name : names) {
        std::string word = encodeNameWord(name.data(), name.size());
        EXPECT_EQ(word.find_first_of(" #\t\n"), std::string::npos) << word;
        std::vector<ScriptEvent> back;
        std::string error;
        ASSERT_TRUE(parseScript("name " + word + "\n1 clock 5\n", "rec", back, error)) << error;
        ASSERT_EQ(back.size(), 2u);
        EXPECT_EQ(back[0].action, ScriptAction::Name);
        EXPECT_EQ(back[0].frame, 0);
        EXPECT_EQ(back[0].path, name);
    }
}

TEST(Recording, MalformedRecordingLinesAreRejectedWithTheirLine)
{
    struct Bad {
        const char* line;
        const char* message;
    };
    const Bad cases[] = {
        {"3 clock -1", "rec:2: clock takes one whole number of milliseconds from 0 to 4294967295"},
        {"3 clock 4294967296", "rec:2: clock takes one whole number of milliseconds from 0 to 4294967295"},
        {"3 clock", "rec:2: clock takes one whole number of milliseconds from 0 to 4294967295"},
        {"3 clock 12ms", "rec:2: clock takes one whole number of milliseconds from 0 to 4294967295"},
        {"3 reshape 10", "rec:2: reshape takes a width and a height in pixels"},
        {"3 reshape -1 10", "rec:2: reshape takes a width and a height in pixels"},
        {"3 keydown char:256", "rec:2: unknown key 'char:256'"},
        {"3 keydown char:", "rec:2: unknown key 'char:'"},
        {"3 keydown special:-3", "rec:2: unknown key 'special:-3'"},
        {"3 mousedown -1", "rec:2: unknown button '-1' (left, right or middle)"},
        {"name %G1", "rec:2: name takes one word, with %XX for bytes that are not printable, found '%G1'"},
        {"name ab%4", "rec:2: name takes one word, with %XX for bytes that are not printable, found 'ab%4'"},
        {"name a b", "rec:2: name takes one word, with %XX for bytes that are not printable"},
        {"name", "rec:2: name takes one word, with %XX for bytes that are not printable"},
        {"table abc", "rec:2: table takes one word of 60 bytes, with %XX for bytes that are not printable, found 'abc'"},
        {"table", "rec:2: table takes one word of 60 bytes, with %XX for bytes that are not printable"},
        {"3 clock 500\n4 clock 499", "rec:3: the clock goes back: frame 4 reads 499 after frame 3 read 500"},
        {"4 clock 500\n3 clock 600", "rec:3: the clock goes back: frame 3 reads 600 after frame 4 read 500"},
    };
    for (const Bad& bad : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(parseScript(std::string("1 keydown enter\n") + bad.line + "\n", "rec", events, error))
            << bad.line;
        EXPECT_EQ(error, bad.message) << bad.line;
    }
}

}  // namespace test_record
