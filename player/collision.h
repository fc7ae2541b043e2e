// The player's eye as a sphere pushed out of the street's quads.
// Depends on: vector3.h, camera.h.
#pragma once
#include "player/vector3.h"

struct Camera;

const float COLLISION_RADIUS = 2.2f;

enum SphereSide { Behind = 0, Intersects = 1, InFront = 2 };

SphereSide sphereSide(const Vector3& centre, const Vector3& normal, const Vector3& pointOnPlane,
                      float radius, float& distanceOut);
bool pointInPolygon(const Vector3& point, const Vector3* vertices, int count);
bool sphereTouchesEdge(const Vector3& centre, const Vector3* vertices, int count, float radius);
Vector3 pushOutOffset(const Vector3& normal, float radius, float distance);
// One pass over the quads (four vertices each) in list order.
void resolveSceneCollision(Camera& camera, const Vector3* vertices, int count);
