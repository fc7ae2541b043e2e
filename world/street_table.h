// The street as data: every textured quad of the scene, one row each, in drawing order.
// Depends on: vector3.h. No GL.
#pragma once
#include "player/vector3.h"

const int SCENE_VERTEX_CAPACITY = 1000;

// The corners of the street's quads in drawing order: the walls the player is kept out of.
struct SceneVertices {
    Vector3 vertices[SCENE_VERTEX_CAPACITY];
    int count;
};

// Filled when the street is built, read by the play step's collision.
extern SceneVertices sceneCorners;

struct StreetQuad {
    int slot;       // slotTextures index of the quad's picture
    float sRepeat;  // picture repeats along c0 -> c1
    float tRepeat;  // picture repeats along c1 -> c2
    Vector3 normal; // lighting normal, one of the six axis directions
    Vector3 c0, c1, c2, c3;
};

const int STREET_QUAD_COUNT = 222;
const int CORNERS_PER_QUAD = 4;

extern const StreetQuad streetTable[STREET_QUAD_COUNT];

// Appends the four corners in drawing order. Returns false and writes nothing when they
// would not fit into the list.
bool appendQuadCorners(SceneVertices& list, const Vector3& c0, const Vector3& c1,
                       const Vector3& c2, const Vector3& c3);
// As appendQuadCorners, but running out of room is a programming error: it reports on
// stderr and aborts.
void recordQuadCorners(SceneVertices& list, const Vector3& c0, const Vector3& c1,
                       const Vector3& c2, const Vector3& c3);
// The corners of the whole table, as the scene build records them, without drawing.
void recordStreetTable(SceneVertices& list);
