// The street: 222 textured quads compiled into one display list, their corners kept
// for the player's collision test.
// Depends on: vector3.h, textures.h, lighting.h, OpenGL.
#pragma once
#include "player/vector3.h"

const int SCENE_VERTEX_CAPACITY = 1000;

struct SceneVertices {
    Vector3 vertices[SCENE_VERTEX_CAPACITY];
    int count;
};

extern SceneVertices SceneVertexList;
extern unsigned int streetSceneList;

// Compiles streetSceneList and records the corners of every quad into SceneVertexList.
void buildStreetScene();
void drawTexturedQuad(int slot, float sRepeat, float tRepeat, Vector3 normal,
                      Vector3 c0, Vector3 c1, Vector3 c2, Vector3 c3);
