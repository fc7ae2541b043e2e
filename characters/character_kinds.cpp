// The kind table, in roster order.
// Depends on: character_kinds.h.
#include "characters/character_kinds.h"

const CharacterKind characterKinds[CHARACTER_KIND_COUNT] = {
    // name         model file               slot n  height anim scale  speed   head  marker lead pts  turns
    {"civi",       "models/civi.md2",       31, 4, 1.2f, 7, 0.05f, 0.028f, 270, 2.9f, 1,  1,  true},
    {"cartman",    "models/cartman.md2",    32, 4, 0.7f, 2, 0.03f, 0.02f,  180, 2.0f, 1,  1,  true},
    {"jupiter",    "models/jupiter.md2",    33, 4, 1.2f, 1, 0.05f, 0.05f,  270, 2.9f, 1,  1,  true},
    {"suit",       "models/suit.md2",       34, 4, 1.2f, 1, 0.05f, 0.08f,  270, 2.9f, 1,  3,  true},
    {"twilight",   "models/twilight.md2",   35, 4, 1.2f, 1, 0.05f, 0.04f,  270, 2.9f, 1,  1,  true},
    {"witchblade", "models/witchblade.md2", 36, 1, 1.2f, 1, 0.05f, 0.3f,   270, 2.9f, 1,  20, true},
    {"r2d2",       "models/r2d2.md2",       37, 4, 0.9f, 2, 0.02f, 0.08f,  0,   2.0f, 1,  1,  true},
    {"garfield",   "models/garfield.md2",   38, 4, 1.0f, 3, 0.02f, 0.08f,  90,  2.0f, 1,  1,  false},
    {"lalaa",      "models/lalaa.md2",      39, 4, 1.2f, 1, 0.05f, 0.2f,   180, 2.9f, 1,  3,  true},
    {"darth",      "models/darth.md2",      29, 4, 1.2f, 1, 0.05f, 0.2f,   180, 3.2f, 1,  1,  true},
    {"messiah",    "models/messiah.md2",    30, 4, 1.2f, 2, 0.05f, 0.2f,   270, 2.5f, 20, 1,  true},
    {"tigger",     "models/tigger.md2",     28, 4, 1.2f, 1, 0.05f, 0.09f,  270, 2.9f, 1,  3,  true},
    {"rabbit",     "models/rabbit.md2",     27, 4, 1.2f, 1, 0.05f, 0.09f,  270, 2.9f, 1,  3,  true},
};
