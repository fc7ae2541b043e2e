// The street as a 3DS scene, for opening it in other 3D tools: one object per group of the
// street table, one material per picture, every quad as two triangles.
// Depends on: scene3ds.h, street_table.h, texture_table.h. No GL.
#pragma once
#include "player/vector3.h"
#include "world/scene3ds.h"

// ---- Constants -------------------------------------------------------------------------

const int STREET_GROUP_COUNT = 15;
// Other tools keep object names to ten characters.
const int SCENE3DS_OBJECT_NAME_LIMIT = 10;

// ---- Types -----------------------------------------------------------------------------

// A run of street table rows that make one thing of the street.
struct StreetGroup {
    const char* name;
    int firstRow;  // the group runs to the next group's first row
};

extern const StreetGroup streetGroups[STREET_GROUP_COUNT];

// ---- Functions -------------------------------------------------------------------------

// The game's y-up axes turned to the third-axis-up convention of 3DS files (a quarter
// turn about x, so every face keeps its front), and back.
Vector3 streetToScenePoint(const Vector3& p);
Vector3 sceneToStreetPoint(const Vector3& p);

// The whole street table as a scene. Each object holds its rows in table order: quad k of
// the group is vertices 4k..4k+3 (c0..c3) and faces 2k (c0 c1 c2) and 2k+1 (c0 c2 c3),
// mapped as the game maps the picture. Materials are named by their picture's file name
// without folder and extension; their texture map is the path within the data directory.
Scene3ds streetAsScene3ds();
