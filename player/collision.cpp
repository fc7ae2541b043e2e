// The eye as a sphere of radius 2.2 pushed out of the street's quads, one pass per frame.
// Depends on: collision.h, camera.h (the Camera record), vector3.h.
#include "player/collision.h"

#include "player/camera.h"

#include <cmath>

namespace {

const int QUAD_CORNERS = 4;
// The edge test reaches half as far as the plane test.
const float EDGE_RADIUS = COLLISION_RADIUS / 2.0f;
const double TWO_PI = 6.283185307179586;
// The angle sum of a point inside a convex polygon is 2 pi; rounding keeps it just below.
const double INSIDE_ANGLE_FRACTION = 0.99;

}  // namespace

SphereSide sphereSide(const Vector3& centre, const Vector3& normal, const Vector3& pointOnPlane,
                      float radius, float& distanceOut)
{
    float distance = dot(normal, centre) + planeOffset(normal, pointOnPlane);
    distanceOut = distance;
    if (std::fabs(distance) < radius) return Intersects;
    if (distance >= radius) return InFront;
    return Behind;
}

bool pointInPolygon(const Vector3& point, const Vector3* vertices, int count)
{
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        Vector3 a = vertices[i] - point;
        Vector3 b = vertices[(i + 1) % count] - point;
        sum += angleBetween(a, b);
    }
    return sum >= INSIDE_ANGLE_FRACTION * TWO_PI;
}

bool sphereTouchesEdge(const Vector3& centre, const Vector3* vertices, int count, float radius)
{
    for (int i = 0; i < count; ++i) {
        Vector3 q = closestPointOnSegment(vertices[i], vertices[(i + 1) % count], centre);
        if (distance(q, centre) < radius) return true;
    }
    return false;
}

Vector3 pushOutOffset(const Vector3& normal, float radius, float distance)
{
    if (distance > 0) return normal * (radius - distance);
    return normal * -(radius + distance);
}

void resolveSceneCollision(Camera& camera, const Vector3* vertices, int count)
{
    for (int i = 0; i + QUAD_CORNERS <= count; i += QUAD_CORNERS) {
        const Vector3* quad = vertices + i;
        Vector3 n = polygonNormal(quad);
        float d = 0.0f;
        if (sphereSide(camera.position, n, quad[0], COLLISION_RADIUS, d) != Intersects) continue;

        Vector3 foot = camera.position - n * d;
        if (pointInPolygon(foot, quad, QUAD_CORNERS) ||
            sphereTouchesEdge(camera.position, quad, QUAD_CORNERS, EDGE_RADIUS)) {
            Vector3 offset = pushOutOffset(n, COLLISION_RADIUS, d);
            camera.position = camera.position + offset;
            camera.view = camera.view + offset;
        }
    }
}
