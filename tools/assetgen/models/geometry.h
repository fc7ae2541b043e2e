// Shapes the passers-by are built from: surfaces of revolution (balls, limbs, boxes, rings,
// skirts) with their own texture parameters, and the small vector maths they need.
// Depends on: common/color.h.
#pragma once
#include <functional>
#include <vector>

#include "tools/assetgen/common/color.h"

namespace chargen {

struct V3 {
    float x, y, z;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float dot(V3 a, V3 b);
V3 cross(V3 a, V3 b);
float length(V3 a);
V3 normalized(V3 a);

// What the painter knows about one point of a part's surface in the rest pose.
struct Sample {
    float u, v;  // around (0 and 1 at the back, 0.5 in front) and along the axis (0 at its start)
    V3 unit;     // local position scaled so that the part's widest ring and its length span -1..1;
                 // x to the part's front, y along its axis, z to its right
    V3 pos;      // position in the figure, x forward, y up, z to the figure's right
    V3 normal;   // outward normal in the figure
};

using Paint = std::function<Color(const Sample&)>;

struct ProfilePoint {
    float r, y;  // distance from the axis and position along it; r = 0 closes the surface
};

// A surface swept around the part's own y axis. The local x axis is the part's front, the
// local z axis its right; origin, axis and front place it in the figure's rest pose.
struct Part {
    int joint = 0;
    std::vector<ProfilePoint> profile;
    int segments = 8;
    float sx = 1.0f, sz = 1.0f;      // stretch of every ring towards the front and the right
    float arc0 = 0.0f, arc1 = 1.0f;  // fraction of a turn covered; less than one leaves it open
    V3 origin{0, 0, 0};
    V3 axis{0, 1, 0};
    V3 front{1, 0, 0};
    bool twoSided = false;  // open shells (capes, skirts) are seen from inside as well
    bool head = false;      // the head takes the fixed face region of the skin
    bool creases = false;   // darken both ends where the part meets its neighbours
    Paint paint;
    // Skin island, filled by the layout: outer rectangle and the inner one the surface maps to.
    int islandX = 0, islandY = 0, islandW = 0, islandH = 0;
    int innerX = 0, innerY = 0, innerW = 0, innerH = 0;
};

// An ellipsoid with radii along the axis (ry), towards the front (rx) and the right (rz).
Part makeBall(int joint, V3 centre, float rx, float ry, float rz, int segments, int bands,
              const Paint& paint);
// The same, turned so that its y radius runs along axis.
Part makeBallAlong(int joint, V3 centre, V3 axis, V3 front, float rx, float ry, float rz,
                   int segments, int bands, const Paint& paint);
// A closed tapered tube from a to b; its front is the given direction made square to it.
Part makeLimb(int joint, V3 a, V3 b, float ra, float rb, int segments, const Paint& paint,
              V3 front = {1, 0, 0});
// A box with half extents hx (front), hy (up), hz (right), turned so that y runs along axis.
Part makeBox(int joint, V3 centre, float hx, float hy, float hz, const Paint& paint,
             V3 axis = {0, 1, 0}, V3 front = {1, 0, 0});
// A ring of tube radius a round a circle of radius big, lying flat about the axis.
Part makeRing(int joint, V3 centre, float big, float a, int segments, int tubeSegments,
              const Paint& paint);
// A custom surface of revolution standing on its origin.
Part makeLathe(int joint, V3 origin, const std::vector<ProfilePoint>& profile, int segments,
               float sx, float sz, const Paint& paint);

// The rest-pose point and outward normal of a part at texture parameters (u, v).
Sample evalPart(const Part& part, float u, float v);

// Mesh of a part: vertices in the rest pose, texture coordinates as pixels of the skin and
// triangles that run clockwise seen from outside.
struct MeshTri {
    int v[3];
    int t[3];
};

struct Mesh {
    std::vector<V3> positions;
    std::vector<int> joints;  // joint moving each vertex
    std::vector<int> st;      // s, t pairs
    std::vector<MeshTri> tris;
};

// Appends a part, with its island already laid out, to the mesh.
void appendPart(const Part& part, Mesh& mesh);

}  // namespace chargen
