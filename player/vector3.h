// Three-float vectors and the small geometry helpers built on them.
// Depends on: nothing but <cmath>.
#pragma once

struct Vector3 {
    float x, y, z;

    // Left uninitialised on purpose: packed arrays of Vector3 in static storage start at zero.
    Vector3() = default;
    Vector3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    Vector3 operator+(const Vector3& b) const { return Vector3(x + b.x, y + b.y, z + b.z); }
    Vector3 operator-(const Vector3& b) const { return Vector3(x - b.x, y - b.y, z - b.z); }
    Vector3 operator*(float s) const { return Vector3(x * s, y * s, z * s); }
};

static_assert(sizeof(Vector3) == 3 * sizeof(float), "Vector3 must stay three packed floats");

Vector3 cross(const Vector3& a, const Vector3& b);
float dot(const Vector3& a, const Vector3& b);
float length(const Vector3& v);
Vector3 normalized(const Vector3& v);
float distance(const Vector3& a, const Vector3& b);
// Normal of a polygon from its first three vertices; counter-clockwise seen from one side
// gives a normal pointing away from that side.
Vector3 polygonNormal(const Vector3* p);
Vector3 closestPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& p);
float planeOffset(const Vector3& n, const Vector3& q);
// Angle in radians; 0 where the arc cosine is undefined (zero vectors, rounding past ±1).
double angleBetween(const Vector3& a, const Vector3& b);
