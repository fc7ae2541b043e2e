// The street: 222 textured quads compiled into one display list, their corners kept
// for the player's collision test.
// Depends on: vector3.h, street_table.h (the corners), textures_gl.h, lighting_gl.h, OpenGL.
#pragma once
#include "player/vector3.h"

extern unsigned int streetSceneList;

// Compiles streetSceneList and records the corners of every quad into sceneCorners.
void buildStreetScene();
// Draws the quad with the slot's picture, repeated sRepeat x tRepeat times.
void drawTexturedQuad(int slot, float sRepeat, float tRepeat, Vector3 normal,
                      Vector3 c0, Vector3 c1, Vector3 c2, Vector3 c3);
