// The droid: a white barrel of a body with blue panels, a silver dome with a big lens in
// front, and two legs hung from the shoulders.
// Depends on: designs.h, paint_kit.h.
#include <cmath>

#include "tools/assetgen/models/designs.h"
#include "tools/assetgen/models/paint_kit.h"

namespace chargen {

namespace {

const float BODY_RADIUS = 0.25f;
const float BODY_BOTTOM = 0.22f;
const float SHOULDER = 0.82f;
const float BODY_TOP = 0.95f;
const float LEG_SIDE = 0.31f;

const Color DROID_WHITE{0.9f, 0.91f, 0.94f};
const Color DROID_BLUE{0.16f, 0.32f, 0.72f};
const Color DROID_SILVER{0.76f, 0.78f, 0.82f};
const Color DROID_GREY{0.42f, 0.44f, 0.5f};

float inRect(float u, float v, float u0, float u1, float v0, float v1)
{
    return (u > u0 && u < u1 && v > v0 && v < v1) ? 1.0f : 0.0f;
}

Color bodyPaint(const Sample& s)
{
    Color c = DROID_WHITE;
    // Panels on the front and the sides, vents low down, a silver rim at the top.
    float panels = inRect(s.u, s.v, 0.44f, 0.56f, 0.55f, 0.85f) + inRect(s.u, s.v, 0.3f, 0.4f, 0.35f, 0.75f) +
                   inRect(s.u, s.v, 0.6f, 0.7f, 0.35f, 0.75f) + inRect(s.u, s.v, 0.05f, 0.2f, 0.5f, 0.8f) +
                   inRect(s.u, s.v, 0.8f, 0.95f, 0.5f, 0.8f);
    c = mixColor(c, DROID_BLUE, std::fmin(1.0f, panels));
    float vents = inRect(s.u, s.v, 0.42f, 0.58f, 0.2f, 0.42f) * band(std::fmod(s.v * 40.0f, 1.0f), 0.5f, 0.18f);
    c = mixColor(c, DROID_GREY, vents);
    c = mixColor(c, DROID_SILVER, smoothStep(0.9f, 0.93f, s.v));
    c = mixColor(c, DROID_GREY, smoothStep(0.1f, 0.06f, s.v));
    float seams = band(std::fmod(s.u * 8.0f, 1.0f), 0.0f, 0.02f) * (s.v > 0.1f) * (s.v < 0.9f);
    return mixColor(c, hexColor(0x8088a0), 0.6f * seams);
}

Color domePaint(const Sample& s)
{
    FacePoint f = facePoint(s);
    float hi = smoothStep(0.8f, 0.97f, dot(s.normal, normalized({0.45f, 1.0f, 0.3f})));
    Color c = mixColor(DROID_SILVER, hexColor(0xffffff), 0.7f * hi);
    // A ring of blue panels round the dome, with gaps.
    float ring = band(s.unit.y, -0.35f, 0.16f) * (std::fmod(s.u * 8.0f + 0.25f, 1.0f) < 0.7f ? 1.0f : 0.0f);
    c = mixColor(c, DROID_BLUE, ring);
    c = mixColor(c, DROID_BLUE, inRect(s.u, s.unit.y, 0.45f, 0.55f, 0.35f, 0.7f));
    if (f.depth > 0.3f) {
        // The big lens: a black eye with a red glint, and a small lamp beside it.
        c = mixColor(c, hexColor(0x101014), ellipseMask(f.x, f.y, 0.0f, -0.2f, 0.24f, 0.24f, 0.2f));
        c = mixColor(c, hexColor(0xd02020), ellipseMask(f.x, f.y, 0.05f, -0.13f, 0.07f, 0.07f, 0.4f));
        c = mixColor(c, hexColor(0x4080f0), ellipseMask(f.x, f.y, 0.4f, -0.3f, 0.07f, 0.07f, 0.3f));
    }
    return c;
}

Color legPaint(const Sample& s)
{
    Color c = DROID_WHITE;
    c = mixColor(c, DROID_BLUE, (std::fabs(s.unit.y) < 0.55f) * (s.unit.z * s.unit.z < 0.2f) * 1.0f);
    return mixColor(c, DROID_GREY, band(std::fabs(s.unit.y), 0.8f, 0.04f));
}

}  // namespace

void designR2d2(Design& d)
{
    d.rig = RIG_DROID;
    d.pivots[J_ROOT] = {0, SHOULDER, 0};
    d.pivots[J_TORSO] = {0, SHOULDER, 0};
    d.pivots[J_HEAD] = {0, BODY_TOP, 0};
    d.pivots[J_THIGH_L] = {0, SHOULDER, -LEG_SIDE};
    d.pivots[J_THIGH_R] = {0, SHOULDER, LEG_SIDE};
    d.pivots[J_SHIN_L] = {0, 0.12f, -LEG_SIDE};
    d.pivots[J_SHIN_R] = {0, 0.12f, LEG_SIDE};

    const float height = BODY_TOP - BODY_BOTTOM;
    d.parts.push_back(makeLathe(J_TORSO, {0, BODY_BOTTOM, 0},
                                {{0, 0}, {BODY_RADIUS * 0.8f, 0}, {BODY_RADIUS, 0.06f},
                                 {BODY_RADIUS, height}, {0, height}},
                                12, 1.0f, 1.0f, bodyPaint));
    std::vector<ProfilePoint> dome;
    const int domeRings = 5;
    for (int k = 0; k <= domeRings; ++k) {
        float a = 1.5707963f * k / domeRings;
        float r = k == domeRings ? 0.0f : (BODY_RADIUS + 0.005f) * std::cos(a);
        dome.push_back({r, (BODY_RADIUS + 0.005f) * std::sin(a)});
    }
    Part head = makeLathe(J_HEAD, {0, BODY_TOP, 0}, dome, 12, 1.0f, 1.0f, domePaint);
    head.head = true;
    d.parts.push_back(head);

    for (int side = -1; side <= 1; side += 2) {
        bool left = side < 0;
        float z = LEG_SIDE * side;
        int leg = left ? J_THIGH_L : J_THIGH_R;
        int foot = left ? J_SHIN_L : J_SHIN_R;
        d.parts.push_back(makeLimb(leg, {0, SHOULDER, z - 0.07f * side}, {0, SHOULDER, z + 0.05f * side},
                                   0.085f, 0.085f, 8, [](const Sample& s) {
                                       return mixColor(DROID_WHITE, DROID_BLUE, ellipseMask(s.unit.x, s.unit.y, 0, 0, 0.5f, 0.5f) * (s.v > 0.9f));
                                   }));
        d.parts.push_back(makeBox(leg, {0, 0.47f, z}, 0.075f, 0.36f, 0.045f, legPaint));
        d.parts.push_back(makeBox(foot, {0.02f, 0.06f, z}, 0.13f, 0.06f, 0.075f, [](const Sample& s) {
                                      return mixColor(DROID_GREY, DROID_WHITE, smoothStep(0.3f, 0.8f, s.unit.y));
                                  }));
    }
    d.gait.stride = 0.28f;
    d.anims = {{"stand", 6, M_STAND}, {"spin", 8, M_SPIN}, {"walk", 8, M_WALK}, {"rock", 6, M_ROCK}};
}

}  // namespace chargen
