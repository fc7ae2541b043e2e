// Vector arithmetic for the camera, collision, characters and the street.
// Depends on: vector3.h.
#include "player/vector3.h"

#include <cmath>

Vector3 cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

float length(const Vector3& v)
{
    float sum = v.x * v.x + v.y * v.y + v.z * v.z;
    return (float)std::sqrt((double)sum);
}

Vector3 normalized(const Vector3& v)
{
    float len = length(v);
    return Vector3(v.x / len, v.y / len, v.z / len);
}

float distance(const Vector3& a, const Vector3& b)
{
    return length(b - a);
}

Vector3 polygonNormal(const Vector3* p)
{
    return normalized(cross(p[2] - p[0], p[1] - p[0]));
}

Vector3 closestPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& p)
{
    Vector3 w = p - a;
    Vector3 u = normalized(b - a);
    float d = distance(a, b);
    float t = dot(u, w);
    if (t <= 0) return a;
    if (t >= d) return b;
    return a + u * t;
}

float planeOffset(const Vector3& n, const Vector3& q)
{
    return -dot(n, q);
}

double angleBetween(const Vector3& a, const Vector3& b)
{
    float m = length(a) * length(b);
    float q = dot(a, b) / m;
    double angle = std::acos((double)q);
    if (std::isnan(angle)) return 0.0;
    return angle;
}
