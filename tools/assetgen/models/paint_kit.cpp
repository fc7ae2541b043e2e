// Painting helpers for skins: grain, soft shapes, eyes and human heads.
// Depends on: paint_kit.h.
#include "tools/assetgen/models/paint_kit.h"

#include <cmath>
#include <cstdint>

namespace chargen {

namespace {

const Color EYE_WHITE{0.96f, 0.96f, 0.94f};
const Color PUPIL{0.05f, 0.05f, 0.07f};
const Color LINE_DARK{0.16f, 0.1f, 0.08f};

float hashCell(int x, int y, int z)
{
    uint32_t h = (uint32_t)x * 73856093u ^ (uint32_t)y * 19349663u ^ (uint32_t)z * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0f;
}

}  // namespace

Paint solid(Color colour)
{
    return [colour](const Sample&) { return colour; };
}

Paint grainy(Color colour, float cell, float strength)
{
    return [=](const Sample& s) {
        return scaleColor(colour, 1.0f - strength * 0.5f + strength * grain(s.pos, cell));
    };
}

float grain(V3 p, float cell)
{
    float fx = p.x / cell, fy = p.y / cell, fz = p.z / cell;
    int ix = (int)std::floor(fx), iy = (int)std::floor(fy), iz = (int)std::floor(fz);
    float tx = fx - ix, ty = fy - iy, tz = fz - iz;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    tz = tz * tz * (3 - 2 * tz);
    float c[2][2][2];
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            for (int d = 0; d < 2; ++d) c[a][b][d] = hashCell(ix + a, iy + b, iz + d);
    float x00 = c[0][0][0] + (c[1][0][0] - c[0][0][0]) * tx;
    float x10 = c[0][1][0] + (c[1][1][0] - c[0][1][0]) * tx;
    float x01 = c[0][0][1] + (c[1][0][1] - c[0][0][1]) * tx;
    float x11 = c[0][1][1] + (c[1][1][1] - c[0][1][1]) * tx;
    float y0 = x00 + (x10 - x00) * ty;
    float y1 = x01 + (x11 - x01) * ty;
    return y0 + (y1 - y0) * tz;
}

float ellipseMask(float x, float y, float cx, float cy, float rx, float ry, float soft)
{
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    float d = std::sqrt(dx * dx + dy * dy);
    return 1.0f - smoothStep(1.0f - soft, 1.0f, d);
}

float band(float value, float centre, float halfWidth)
{
    float d = std::fabs(value - centre);
    return 1.0f - smoothStep(halfWidth, 2.0f * halfWidth, d);
}

FacePoint facePoint(const Sample& s) { return {-s.unit.z, s.unit.y, s.unit.x}; }

Color drawEye(Color base, float x, float y, float cx, float cy, float size, Color iris)
{
    Color c = mixColor(base, LINE_DARK, ellipseMask(x, y, cx, cy, 0.15f * size, 0.1f * size, 0.25f));
    c = mixColor(c, EYE_WHITE, ellipseMask(x, y, cx, cy, 0.125f * size, 0.08f * size, 0.25f));
    c = mixColor(c, iris, ellipseMask(x, y, cx, cy - 0.005f, 0.065f * size, 0.07f * size, 0.3f));
    c = mixColor(c, PUPIL, ellipseMask(x, y, cx, cy - 0.005f, 0.03f * size, 0.035f * size, 0.3f));
    // Upper lid: a dark arc along the top of the eye.
    float lid = ellipseMask(x, y, cx, cy + 0.03f * size, 0.14f * size, 0.07f * size, 0.2f) *
                smoothStep(cy + 0.035f * size, cy + 0.07f * size, y);
    return mixColor(c, LINE_DARK, lid);
}

Color paintHumanHead(const Sample& s, const FaceStyle& st)
{
    FacePoint f = facePoint(s);
    Color c = st.skin;
    bool front = f.depth > 0.2f;
    if (front) {
        // Cheeks, eyes, brows, nose shadow, mouth.
        for (int side = -1; side <= 1; side += 2) {
            float ex = 0.36f * side;
            c = mixColor(c, mixColor(st.skin, hexColor(0xd86a5a), 0.5f),
                       0.35f * ellipseMask(f.x, f.y, 0.45f * side, -0.2f, 0.17f, 0.12f, 0.8f));
            if (st.paleLook)
                c = mixColor(c, hexColor(0x6d5a70), 0.5f * ellipseMask(f.x, f.y, ex, 0.1f, 0.2f, 0.14f, 0.7f));
            c = drawEye(c, f.x, f.y, ex, 0.1f, 1.6f, st.iris);
            float brow = band(f.y, 0.31f + 0.04f * (1.0f - std::fabs(f.x - ex) / 0.14f), 0.025f) *
                         (1.0f - smoothStep(0.12f, 0.16f, std::fabs(f.x - ex)));
            c = mixColor(c, scaleColor(st.hair, 0.7f), brow);
        }
        c = mixColor(c, scaleColor(st.skin, 0.8f), 0.5f * ellipseMask(f.x, f.y, 0.0f, -0.18f, 0.09f, 0.1f, 0.6f));
        if (st.beard) {
            float beard = smoothStep(-0.02f, -0.12f, f.y - 0.12f * std::fabs(f.x)) *
                          (1.0f - smoothStep(0.8f, 0.95f, std::fabs(f.x)));
            float streak = 0.85f + 0.3f * grain({f.x * 6.0f, f.y * 0.8f, 0.0f}, 0.3f);
            c = mixColor(c, scaleColor(st.beardColour, streak), beard);
        }
        c = mixColor(c, st.lips, ellipseMask(f.x, f.y, 0.0f, -0.45f, 0.17f, 0.05f, 0.4f));
        c = mixColor(c, LINE_DARK, band(f.y, -0.45f, 0.008f) * (1.0f - smoothStep(0.13f, 0.17f, std::fabs(f.x))));
    }
    // Ears on both sides.
    if (std::fabs(s.unit.z) > 0.75f) {
        float ear = ellipseMask(s.unit.x, s.unit.y, -0.05f, 0.0f, 0.2f, 0.3f, 0.3f);
        float rim = ear * (1.0f - ellipseMask(s.unit.x, s.unit.y, -0.05f, 0.0f, 0.13f, 0.22f, 0.4f));
        c = mixColor(c, scaleColor(st.skin, 0.72f), rim);
    }
    // Hair: higher on the forehead than at the back; long hair covers the back and sides.
    float line = st.hairBack + (st.hairFront - st.hairBack) * smoothStep(-0.4f, 0.45f, s.unit.x);
    if (st.longHair && s.unit.x < 0.35f) line = std::fmin(line, -0.95f);
    if (st.longHair && std::fabs(s.unit.z) > 0.7f && s.unit.x < 0.5f) line = -0.95f;
    float hair = smoothStep(line - 0.04f, line + 0.04f, s.unit.y);
    if (hair > 0.0f) {
        float strand = 0.8f + 0.35f * grain({s.unit.x * 3.0f, s.unit.y * 14.0f, s.unit.z * 3.0f}, 0.5f);
        c = mixColor(c, scaleColor(st.hair, strand), hair);
    }
    return c;
}

}  // namespace chargen
