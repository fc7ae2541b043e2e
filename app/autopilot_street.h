// The street as the autopilot walks it: its walls seen from above, the cells of the play
// area where the eye fits, and the way to a goal round the columns and stands.
// Depends on: vector3.h, street_table.h, collision.h (the eye's radius), camera.h (the
// play area).
#pragma once
#include "player/vector3.h"

#include <vector>

struct StreetQuad;

// Distance in x and z between two points seen from above.
float horizontalDistance(float x0, float z0, float x1, float z1);

// A wall at the eye's height, seen from above: a segment in x and z.
struct WallSegment {
    float x0, z0, x1, z1;
};

// The upright quads of the street that the eye could bump into.
std::vector<WallSegment> streetWalls(const StreetQuad* quads, int quadCount);
// Distance in x and z from a point to the nearest wall.
float wallClearance(const std::vector<WallSegment>& walls, float x, float z);

// The play area in cells of one unit: a cell is free when the eye's sphere fits at its middle.
struct StreetGrid {
    int columns;   // along x
    int rows;      // along z
    std::vector<unsigned char> free;
};

StreetGrid buildStreetGrid(const std::vector<WallSegment>& walls);
// True when the eye can walk straight from one point to the other without touching a wall
// (the first unit is not checked, so that a walk away from a wall it touches is allowed).
bool walkClear(const std::vector<WallSegment>& walls, float x0, float z0, float x1, float z1);
// Where to walk next on the way to goal: goal itself when the way is straight and clear,
// else the furthest point of a shortest way through the grid that can be walked straight to.
Vector3 nextWaypoint(const StreetGrid& grid, const std::vector<WallSegment>& walls,
                     const Vector3& from, const Vector3& goal);
