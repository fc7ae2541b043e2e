// The roster, its loaders, the shared random sequence and the start spots.
// Depends on: roster.h, platform/message_box.h (a model that cannot be read).
#include "characters/roster.h"

#include "app/terminal_text.h"
#include "characters/md2_animation.h"
#include "platform/message_box.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

uint32_t randomState = 1;
const uint32_t RANDOM_MULTIPLIER = 214013;
const uint32_t RANDOM_INCREMENT = 2531011;
const char* const CANNOT_ANIMATE_FORMAT =
    "kerbrunner: the %s passers-by cannot animate (%s): they are not drawn\n";

struct Placement {
    const char* kind;
    int instance;
};

// The order in which characters receive their pair of random numbers.
const Placement PLACEMENT_ORDER[ROSTER_SIZE] = {
    {"civi", 1},     {"civi", 2},     {"civi", 3},       {"civi", 4},     {"cartman", 1},
    {"twilight", 4}, {"cartman", 3},  {"cartman", 4},    {"jupiter", 1},  {"jupiter", 2},
    {"jupiter", 4},  {"suit", 1},     {"garfield", 3},   {"twilight", 2}, {"suit", 2},
    {"suit", 3},     {"cartman", 2},  {"suit", 4},       {"witchblade", 1}, {"r2d2", 1},
    {"messiah", 2},  {"r2d2", 2},     {"r2d2", 3},       {"twilight", 1}, {"r2d2", 4},
    {"garfield", 1}, {"garfield", 2}, {"garfield", 4},   {"lalaa", 1},    {"lalaa", 2},
    {"jupiter", 3},  {"lalaa", 4},    {"darth", 1},      {"darth", 2},    {"darth", 3},
    {"darth", 4},    {"rabbit", 3},   {"messiah", 1},    {"messiah", 3},  {"messiah", 4},
    {"tigger", 1},   {"twilight", 3}, {"tigger", 2},     {"tigger", 3},   {"tigger", 4},
    {"rabbit", 1},   {"rabbit", 2},   {"rabbit", 4},     {"lalaa", 3},
};

void assignKinds()
{
    int i = 0;
    for (int k = 0; k < CHARACTER_KIND_COUNT; ++k)
        for (int n = 0; n < characterKinds[k].instanceCount && i < ROSTER_SIZE; ++n)
            roster[i++].kind = &characterKinds[k];
}

}  // namespace

Character roster[ROSTER_SIZE];
Md2Loader characterLoaders[CHARACTER_KIND_COUNT];

namespace {
// Every character knows its kind from before start-up.
const bool kindsAssigned = (assignKinds(), true);
}

int randomInt()
{
    randomState = randomState * RANDOM_MULTIPLIER + RANDOM_INCREMENT;
    return (int)((randomState >> 16) & RANDOM_INT_MAX);
}

void resetRandomInt() { randomState = 1; }

int kindIndexByName(const char* name)
{
    for (int k = 0; k < CHARACTER_KIND_COUNT; ++k)
        if (std::strcmp(characterKinds[k].name, name) == 0) return k;
    return -1;
}

int rosterIndexOf(int kindIndex, int instance)
{
    if (kindIndex < 0 || kindIndex >= CHARACTER_KIND_COUNT) return -1;
    if (instance < 1 || instance > characterKinds[kindIndex].instanceCount) return -1;
    int first = 0;
    for (int k = 0; k < kindIndex; ++k) first += characterKinds[k].instanceCount;
    return first + instance - 1;
}

void placeCharacter(Character& c, float x, float y, float z)
{
    const CharacterKind& kind = *c.kind;
    c.position = Vector3(x, y, z);
    c.scale = kind.scale;
    c.wantedAnimation = kind.animationIndex;
    c.heading = kind.startHeading;
    c.isNear = false;
    c.isReady = true;
    c.lastFlyerTime = 0.0f;
    c.sinceLastFlyer = 0.0f;
    c.speed = kind.speed;
    c.turnClockwise = true;
    c.turnCountdown = TURN_SPELL_FRAMES;
    c.turnStep = TURN_STEP_LEFT;
}

void loadAllCharacters()
{
    bool told[CHARACTER_KIND_COUNT] = {};
    // The first passer-by of each kind whose file loaded: the others of its kind copy its
    // model, sharing its keyframes, instead of reading the file again.
    const Md2Model* loaded[CHARACTER_KIND_COUNT] = {};
    for (Character& c : roster) {
        int k = (int)(c.kind - characterKinds);
        std::string message;
        if (loaded[k]) {
            c.model = *loaded[k];
        } else if (characterLoaders[k].load(c.model, c.kind->modelFile, &message)) {
            loaded[k] = &c.model;
        } else {
            showErrorMessage(message.c_str());
            continue;
        }
        // Said once a kind: a passer-by that cannot animate is not drawn at all.
        std::string problem = animationProblem(c.model, c.kind->animationIndex);
        if (!problem.empty() && !told[k]) {
            told[k] = true;
            std::fprintf(stderr, CANNOT_ANIMATE_FORMAT, c.kind->name,
                         terminalSafe(problem).c_str());
        }
    }
}

void placeAllCharacters()
{
    for (const Placement& p : PLACEMENT_ORDER) {
        Character& c = roster[rosterIndexOf(kindIndexByName(p.kind), p.instance)];
        float z = (float)((double)randomInt() / PLACE_Z_DIVISOR + PLACE_Z_OFFSET);
        float x = (float)((double)randomInt() / PLACE_X_DIVISOR + PLACE_X_OFFSET);
        placeCharacter(c, x, c.kind->height, z);
    }
}

void resetRosterForTesting()
{
    for (Character& c : roster) c = Character{};
    assignKinds();
}
