// The trace line's JSON, field by field in a fixed order.
// Depends on: trace_line.h, json_text.h.
#include "app/trace_line.h"

#include "app/json_text.h"

namespace {

const char* jsonBool(bool b) { return b ? "true" : "false"; }

std::string jsonCharacters(const std::vector<TraceCharacter>& characters)
{
    std::string s = "[";
    for (size_t i = 0; i < characters.size(); ++i) {
        const TraceCharacter& c = characters[i];
        if (i) s += ", ";
        s += "{\"position\": " + jsonVector(c.position);
        s += ", \"heading\": " + jsonFloat(c.heading);
        s += std::string(", \"isNear\": ") + jsonBool(c.isNear);
        s += std::string(", \"isReady\": ") + jsonBool(c.isReady);
        s += ", \"frame\": " + std::to_string(c.frame) + "}";
    }
    return s + "]";
}

std::string jsonStrings(const std::vector<std::string>& strings)
{
    std::string s = "[";
    for (size_t i = 0; i < strings.size(); ++i) s += (i ? ", " : "") + jsonString(strings[i]);
    return s + "]";
}

}  // namespace

std::string traceLine(const TraceValues& v)
{
    std::string s = "{\"frame\": " + std::to_string(v.frame);
    s += ", \"clock\": " + std::to_string(v.clockMs);
    s += std::string(", \"menuMode\": ") + jsonBool(v.menuMode);
    s += ", \"menuIndex\": " + std::to_string(v.menuIndex);
    s += std::string(", \"aboutShown\": ") + jsonBool(v.aboutShown);
    s += std::string(", \"helpShown\": ") + jsonBool(v.helpShown);
    s += std::string(", \"gameOver\": ") + jsonBool(v.gameOver);
    s += ", \"score\": " + std::to_string(v.score);
    s += ", \"secondsLeft\": " + std::to_string(v.secondsLeft);
    s += ", \"forwardAxis\": " + std::to_string(v.forwardAxis);
    s += ", \"strafeAxis\": " + std::to_string(v.strafeAxis);
    s += std::string(", \"fistShown\": ") + jsonBool(v.fistShown);
    s += std::string(", \"flyerClick\": ") + jsonBool(v.flyerClick);
    s += ", \"frameTime\": " + jsonFloat(v.frameTime);
    s += ", \"frameWallMs\": " + jsonFloat(v.frameWallMs);
    s += ", \"moveSpeed\": " + jsonFloat(v.moveSpeed);
    s += ", \"windowWidth\": " + jsonFloat(v.windowWidth);
    s += ", \"windowHeight\": " + jsonFloat(v.windowHeight);
    s += ", \"playerName\": " + jsonString(v.playerName);
    s += ", \"position\": " + jsonVector(v.position);
    s += ", \"view\": " + jsonVector(v.view);
    s += ", \"characters\": " + jsonCharacters(v.characters);
    s += ", \"charactersOutsideView\": " + std::to_string(v.charactersOutsideView);
    s += ", \"highscores\": " + (v.gameOver ? jsonStrings(v.highscores) : std::string("null"));
    s += ", \"sounds\": " + jsonStrings(v.sounds);
    return s + "}";
}
