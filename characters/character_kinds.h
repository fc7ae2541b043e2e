// The 13 kinds of passer-by and the constants of each.
// Depends on: nothing.
#pragma once

struct CharacterKind {
    const char* name;
    const char* modelFile;
    int textureSlot;
    int instanceCount;
    float height;          // y of the model origin in the street
    int animationIndex;    // the animation the kind plays all the time
    float scale;
    float speed;           // distance walked per frame
    float startHeading;    // degrees; 0 walks towards +x, 90 towards -z
    float markerHeight;    // y of the marker cone
    float markerLead;      // cone placed this many steps ahead
    int flyerPoints;
    bool turns;
};

const int CHARACTER_KIND_COUNT = 13;
extern const CharacterKind characterKinds[CHARACTER_KIND_COUNT];
