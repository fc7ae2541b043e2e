// The 49 passers-by: who they are, the order they are loaded and updated in, and where
// they start.
// Depends on: character_kinds.h, md2_model.h, vector3.h.
#pragma once
#include "characters/character_kinds.h"
#include "characters/md2_model.h"
#include "player/vector3.h"

#include <cstdint>

const int ROSTER_SIZE = 49;
const int RANDOM_INT_MAX = 32767;

// Placement: z = random / 300 - 200, x = random / 2000 - 10.
const float PLACE_Z_DIVISOR = 300.0f;
const float PLACE_Z_OFFSET = -200.0f;
const float PLACE_X_DIVISOR = 2000.0f;
const float PLACE_X_OFFSET = -10.0f;

// Values a placed character starts with.
const int32_t TURN_SPELL_FRAMES = 10;   // frames until the turning direction is drawn again
const int32_t TURN_STEP_LEFT = 1;       // degrees per frame, counter-clockwise from above
const int32_t TURN_STEP_RIGHT = 359;    // one degree clockwise

// One passer-by: its own model, then its walking and flyer state.
struct Character {
    Md2Model model;
    Vector3 position;        // only x and z change after placement
    float scale;
    int32_t wantedAnimation;
    float heading;           // degrees; 0 walks towards +x, 90 towards -z
    bool isNear;             // the player is near, as of this frame
    bool isReady;            // will take a flyer
    float lastFlyerTime;     // clock (ms) when it last took a flyer
    float sinceLastFlyer;    // ms, as of the latest frame in which it was near
    float speed;             // distance walked per frame
    bool turnClockwise;
    int32_t turnCountdown;
    int32_t turnStep;        // added to the heading every frame: 1 or 359
    const CharacterKind* kind;
};

// The passers-by in roster order: the kinds in table order, each with its instances.
extern Character roster[ROSTER_SIZE];
// One loader per kind, used for each load of its kind.
extern Md2Loader characterLoaders[CHARACTER_KIND_COUNT];

// The one pseudo-random generator: 0 to 32767, the same sequence every run.
int randomInt();
// Tests only: start the sequence again.
void resetRandomInt();

// Index into characterKinds of a kind name, or -1.
int kindIndexByName(const char* name);
// Index into roster of instance (1-based) of a kind, or -1.
int rosterIndexOf(int kindIndex, int instance);

// One placement: the character stands at (x, y, z) with its kind's start values.
void placeCharacter(Character& c, float x, float y, float z);
// Loads every character's model from its kind's file, in roster order: the first of a kind
// reads the file, the others share its keyframes. A file that cannot be read shows its
// message box at once, for each character of its kind, and leaves their models empty.
void loadAllCharacters();
// Places every character once, in the fixed placement order, drawing two numbers each.
void placeAllCharacters();
// Tests only: every character back to zero with its kind, models emptied.
void resetRosterForTesting();
