// Surfaces of revolution for the passers-by: building, evaluating and meshing them.
// Depends on: geometry.h.
#include "tools/assetgen/models/geometry.h"

#include <cmath>

namespace chargen {

namespace {

const float TWO_PI = 6.28318530718f;
const float SQRT2 = 1.41421356237f;

// Cumulative length along the profile, 0 at its start and 1 at its end.
std::vector<float> profileParams(const std::vector<ProfilePoint>& profile)
{
    std::vector<float> params(profile.size(), 0.0f);
    float total = 0.0f;
    for (size_t i = 1; i < profile.size(); ++i) {
        float dr = profile[i].r - profile[i - 1].r;
        float dy = profile[i].y - profile[i - 1].y;
        total += std::sqrt(dr * dr + dy * dy);
        params[i] = total;
    }
    for (float& p : params) p = total > 0.0f ? p / total : 0.0f;
    return params;
}

// Outward normal of the profile at point i, in (r, y), averaged over its two segments.
void profileNormal(const std::vector<ProfilePoint>& profile, size_t i, float& nr, float& ny)
{
    nr = 0.0f;
    ny = 0.0f;
    for (int side = 0; side < 2; ++side) {
        size_t a = side == 0 ? i - 1 : i;
        size_t b = a + 1;
        if ((side == 0 && i == 0) || b >= profile.size()) continue;
        float dr = profile[b].r - profile[a].r;
        float dy = profile[b].y - profile[a].y;
        float len = std::sqrt(dr * dr + dy * dy);
        if (len <= 0.0f) continue;
        nr += dy / len;
        ny -= dr / len;
    }
    float len = std::sqrt(nr * nr + ny * ny);
    if (len > 0.0f) {
        nr /= len;
        ny /= len;
    }
}

struct Frame3 {
    V3 front, axis, right;
};

Frame3 partFrame(const Part& part)
{
    Frame3 f;
    f.axis = normalized(part.axis);
    V3 front = part.front - f.axis * dot(part.front, f.axis);
    if (length(front) < 1e-4f) front = std::fabs(f.axis.y) < 0.9f ? V3{0, 1, 0} : V3{1, 0, 0};
    f.front = normalized(front - f.axis * dot(front, f.axis));
    f.right = cross(f.front, f.axis);
    return f;
}

V3 toFigure(const Frame3& f, V3 origin, V3 local)
{
    return origin + f.front * local.x + f.axis * local.y + f.right * local.z;
}

float angleAt(const Part& part, float u)
{
    return TWO_PI * (part.arc0 + (part.arc1 - part.arc0) * u);
}

bool fullTurn(const Part& part) { return part.arc1 - part.arc0 >= 0.999f; }

}  // namespace

float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float length(V3 a) { return std::sqrt(dot(a, a)); }

V3 normalized(V3 a)
{
    float len = length(a);
    return len > 0.0f ? a * (1.0f / len) : a;
}

Part makeBall(int joint, V3 centre, float rx, float ry, float rz, int segments, int bands,
              const Paint& paint)
{
    return makeBallAlong(joint, centre, {0, 1, 0}, {1, 0, 0}, rx, ry, rz, segments, bands, paint);
}

Part makeBallAlong(int joint, V3 centre, V3 axis, V3 front, float rx, float ry, float rz,
                   int segments, int bands, const Paint& paint)
{
    Part part;
    part.joint = joint;
    part.segments = segments;
    for (int k = 0; k <= bands; ++k) {
        float theta = 3.14159265359f * k / bands;
        float r = (k == 0 || k == bands) ? 0.0f : std::sin(theta);
        part.profile.push_back({r, -std::cos(theta) * ry});
    }
    part.sx = rx;
    part.sz = rz;
    part.origin = centre;
    part.axis = axis;
    part.front = front;
    part.paint = paint;
    return part;
}

Part makeLimb(int joint, V3 a, V3 b, float ra, float rb, int segments, const Paint& paint, V3 front)
{
    Part part;
    part.joint = joint;
    part.segments = segments;
    float len = length(b - a);
    part.profile = {{0, 0}, {ra, 0}, {rb, len}, {0, len}};
    part.origin = a;
    part.axis = b - a;
    part.front = front;
    part.creases = true;
    part.paint = paint;
    return part;
}

Part makeBox(int joint, V3 centre, float hx, float hy, float hz, const Paint& paint, V3 axis,
             V3 front)
{
    Part part;
    part.joint = joint;
    part.segments = 4;
    part.arc0 = 0.125f;
    part.arc1 = 1.125f;
    part.profile = {{0, -hy}, {1, -hy}, {1, hy}, {0, hy}};
    part.sx = hx * SQRT2;
    part.sz = hz * SQRT2;
    part.origin = centre;
    part.axis = axis;
    part.front = front;
    part.paint = paint;
    return part;
}

Part makeRing(int joint, V3 centre, float big, float a, int segments, int tubeSegments,
              const Paint& paint)
{
    Part part;
    part.joint = joint;
    part.segments = segments;
    // Starting on the inside and passing the outside going up keeps the outside outward.
    for (int k = 0; k <= tubeSegments; ++k) {
        float psi = -3.14159265359f + TWO_PI * k / tubeSegments;
        part.profile.push_back({big + a * std::cos(psi), a * std::sin(psi)});
    }
    part.origin = centre;
    part.paint = paint;
    return part;
}

Part makeLathe(int joint, V3 origin, const std::vector<ProfilePoint>& profile, int segments,
               float sx, float sz, const Paint& paint)
{
    Part part;
    part.joint = joint;
    part.profile = profile;
    part.segments = segments;
    part.sx = sx;
    part.sz = sz;
    part.origin = origin;
    part.paint = paint;
    return part;
}

Sample evalPart(const Part& part, float u, float v)
{
    std::vector<float> params = profileParams(part.profile);
    size_t i = 0;
    while (i + 2 < params.size() && v > params[i + 1]) ++i;
    float span = params[i + 1] - params[i];
    float f = span > 0.0f ? clamp01((v - params[i]) / span) : 0.0f;
    const ProfilePoint& p0 = part.profile[i];
    const ProfilePoint& p1 = part.profile[i + 1];
    float r = p0.r + (p1.r - p0.r) * f;
    float y = p0.y + (p1.y - p0.y) * f;
    float nr0, ny0, nr1, ny1;
    profileNormal(part.profile, i, nr0, ny0);
    profileNormal(part.profile, i + 1, nr1, ny1);
    float nr = nr0 + (nr1 - nr0) * f;
    float ny = ny0 + (ny1 - ny0) * f;

    float phi = angleAt(part, u);
    float c = -std::cos(phi), s = std::sin(phi);
    V3 local{c * r * part.sx, y, s * r * part.sz};
    V3 localNormal = normalized({c * nr / part.sx, ny, s * nr / part.sz});

    float rMax = 0.0f, yMin = part.profile[0].y, yMax = yMin;
    for (const ProfilePoint& p : part.profile) {
        rMax = std::fmax(rMax, p.r);
        yMin = std::fmin(yMin, p.y);
        yMax = std::fmax(yMax, p.y);
    }
    float yHalf = std::fmax((yMax - yMin) * 0.5f, 1e-6f);
    rMax = std::fmax(rMax, 1e-6f);

    Frame3 frame = partFrame(part);
    Sample sample;
    sample.u = u;
    sample.v = v;
    sample.unit = {local.x / (rMax * part.sx), (y - (yMin + yMax) * 0.5f) / yHalf,
                   local.z / (rMax * part.sz)};
    sample.pos = toFigure(frame, part.origin, local);
    sample.normal = normalized(frame.front * localNormal.x + frame.axis * localNormal.y +
                               frame.right * localNormal.z);
    return sample;
}

void appendPart(const Part& part, Mesh& mesh)
{
    const int n = part.segments;
    const bool closed = fullTurn(part);
    const int ringSize = closed ? n : n + 1;
    const std::vector<float> params = profileParams(part.profile);
    const Frame3 frame = partFrame(part);

    // Vertices: one per pole, one ring per other profile point.
    std::vector<int> ringStart(part.profile.size());
    for (size_t i = 0; i < part.profile.size(); ++i) {
        ringStart[i] = (int)mesh.positions.size();
        const ProfilePoint& p = part.profile[i];
        int count = p.r == 0.0f ? 1 : ringSize;
        for (int j = 0; j < count; ++j) {
            float phi = angleAt(part, (float)j / n);
            V3 local{-std::cos(phi) * p.r * part.sx, p.y, std::sin(phi) * p.r * part.sz};
            mesh.positions.push_back(toFigure(frame, part.origin, local));
            mesh.joints.push_back(part.joint);
        }
    }
    // Texture coordinates: a full grid; pole rows sit in the middle of each segment.
    std::vector<int> texStart(part.profile.size());
    for (size_t i = 0; i < part.profile.size(); ++i) {
        texStart[i] = (int)mesh.st.size() / 2;
        bool pole = part.profile[i].r == 0.0f;
        for (int j = 0; j < (pole ? n : n + 1); ++j) {
            float u = pole ? (j + 0.5f) / n : (float)j / n;
            mesh.st.push_back((int)std::lround(part.innerX + part.innerW * u));
            mesh.st.push_back((int)std::lround(part.innerY + part.innerH * (1.0f - params[i])));
        }
    }
    auto vert = [&](size_t i, int j) {
        if (part.profile[i].r == 0.0f) return ringStart[i];
        return ringStart[i] + (closed ? j % n : j);
    };
    auto addTri = [&](int v0, int t0, int v1, int t1, int v2, int t2) {
        mesh.tris.push_back({{v0, v1, v2}, {t0, t1, t2}});
        if (part.twoSided) mesh.tris.push_back({{v0, v2, v1}, {t0, t2, t1}});
    };
    for (size_t i = 0; i + 1 < part.profile.size(); ++i) {
        bool poleA = part.profile[i].r == 0.0f;
        bool poleB = part.profile[i + 1].r == 0.0f;
        if (poleA && poleB) continue;
        for (int j = 0; j < n; ++j) {
            int a = vert(i, j), b = vert(i, j + 1), c = vert(i + 1, j + 1), d = vert(i + 1, j);
            int ta = texStart[i] + j, tb = texStart[i] + j + 1;
            int tc = texStart[i + 1] + j + 1, td = texStart[i + 1] + j;
            // (a, b, c) would run counter-clockwise seen from outside; the game wants the
            // opposite, so every triangle is listed the other way round.
            if (poleA) {
                addTri(a, ta, d, td, c, tc);
            } else if (poleB) {
                addTri(a, ta, d, td, b, tb);
            } else {
                addTri(a, ta, c, tc, b, tb);
                addTri(a, ta, d, td, c, tc);
            }
        }
    }
}

}  // namespace chargen
