// JSON text of the trace and the inspector: escapes and non-finite numbers, and the trace
// line built from its values.
#include "app/json_text.h"
#include "app/trace_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace test_json_text {

TEST(JsonText, EscapesQuotesControlBytesAndBytesPastAsciiAndNullsNonFiniteFloats)
{
    EXPECT_EQ(jsonString(std::string("a\"b\\c", 5)), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString(std::string("x\0y\n\x7f\xe9", 6)), "\"x\\u0000y\\u000a\\u007f\\u00e9\"");
    EXPECT_EQ(jsonFloat(0.1f), "0.100000001");
    EXPECT_EQ(jsonFloat(NAN), "null");
    EXPECT_EQ(jsonFloat(-INFINITY), "null");
    EXPECT_EQ(jsonVector(Vector3(1, -2.5f, 0)), "[1, -2.5, 0]");
}

TEST(TraceLine, TellsTheValuesInItsFieldsAndTheTableOnlyOnceTheGameIsOver)
{
    TraceValues v{};
    v.frame = 7;
    v.clockMs = 4294967295u;
    v.menuIndex = 2;
    v.frameTime = 0.1f;
    v.playerName = std::string("ab\0", 3);
    v.characters = {TraceCharacter{Vector3(1, 0, -2.5f), 90, true, false, 3}};
    v.charactersOutsideView = 48;
    v.highscores = {"x"};
    v.sounds = {"bump", "flyer"};
    std::string line = traceLine(v);
    EXPECT_EQ(line.rfind("{\"frame\": 7, \"clock\": 4294967295, \"menuMode\": false, "
                         "\"menuIndex\": 2, ", 0), 0u) << line;
    EXPECT_NE(line.find("\"frameTime\": 0.100000001, "), std::string::npos) << line;
    EXPECT_NE(line.find("\"playerName\": \"ab\\u0000\", "), std::string::npos) << line;
    EXPECT_NE(line.find("\"characters\": [{\"position\": [1, 0, -2.5], \"heading\": 90, "
                        "\"isNear\": true, \"isReady\": false, \"frame\": 3}], "
                        "\"charactersOutsideView\": 48, \"highscores\": null, "
                        "\"sounds\": [\"bump\", \"flyer\"]}"),
              std::string::npos) << line;
    v.gameOver = true;
    EXPECT_NE(traceLine(v).find("\"highscores\": [\"x\"], "), std::string::npos);
}

}  // namespace test_json_text
