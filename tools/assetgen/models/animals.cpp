// The animals: a striped tiger and a long-eared rabbit on two legs, and a fat striped cat
// on four.
// Depends on: clothes.h, designs.h.
#include <cmath>

#include "tools/assetgen/models/clothes.h"
#include "tools/assetgen/models/designs.h"

namespace chargen {

namespace {

const Color TIGER_ORANGE = {0.94f, 0.55f, 0.13f};
const Color TIGER_STRIPE = {0.16f, 0.1f, 0.06f};
const Color CREAM = {0.97f, 0.9f, 0.72f};
const Color NOSE_PINK = {0.9f, 0.5f, 0.55f};

float fract(float v) { return v - std::floor(v); }

// Bands across the figure's height, wobbled by grain so they look painted by hand.
float stripeAt(V3 pos, float perUnit, float width)
{
    float t = fract(pos.y * perUnit + 0.6f * grain(pos, 0.09f) + 0.15f * pos.x * perUnit);
    return band(t, 0.5f, width * 0.5f);
}

Paint stripedFur(Color fur, Color stripe, float perUnit)
{
    return [=](const Sample& s) {
        Color c = scaleColor(fur, 0.92f + 0.14f * grain(s.pos, 0.012f));
        return mixColor(c, stripe, stripeAt(s.pos, perUnit, 0.16f));
    };
}

// Striped fur with a pale belly down the front.
Paint bellyFur(Color fur, Color stripe, float perUnit, Color belly)
{
    Paint striped = stripedFur(fur, stripe, perUnit);
    return [=](const Sample& s) {
        float front = smoothStep(0.45f, 0.65f, s.unit.x) * (1.0f - smoothStep(0.45f, 0.6f, std::fabs(s.unit.z)));
        return mixColor(striped(s), belly, front);
    };
}

// Round animal eyes, a pink nose and whisker dots on a muzzle.
Color animalFace(Color base, const Sample& s, Color iris, float lid)
{
    FacePoint f = facePoint(s);
    if (f.depth < 0.2f) return base;
    Color c = base;
    for (int side = -1; side <= 1; side += 2) {
        float cx = 0.3f * side;
        c = mixColor(c, hexColor(0x201410), ellipseMask(f.x, f.y, cx, 0.18f, 0.17f, 0.19f, 0.2f));
        c = mixColor(c, hexColor(0xfafaf2), ellipseMask(f.x, f.y, cx, 0.18f, 0.15f, 0.17f, 0.2f));
        c = mixColor(c, iris, ellipseMask(f.x, f.y, cx * 0.9f, 0.15f, 0.08f, 0.1f, 0.3f));
        c = mixColor(c, hexColor(0x0a0a0a), ellipseMask(f.x, f.y, cx * 0.9f, 0.15f, 0.035f, 0.07f, 0.3f));
        // Heavy upper lids for a sleepy look.
        if (f.y > 0.18f + 0.19f * (1.0f - 2.0f * lid)) c = mixColor(c, base, ellipseMask(f.x, f.y, cx, 0.18f, 0.16f, 0.18f, 0.1f));
    }
    return c;
}

Paint muzzlePaint(Color colour, bool teeth)
{
    return [colour, teeth](const Sample& s) {
        FacePoint f = facePoint(s);
        Color c = colour;
        c = mixColor(c, NOSE_PINK, ellipseMask(f.x, f.y, 0.0f, 0.55f, 0.28f, 0.25f, 0.3f) * (f.depth > 0.3f));
        c = mixColor(c, hexColor(0x3a2020), band(f.x, 0.0f, 0.02f) * (f.y < 0.35f) * (f.y > -0.1f) * (f.depth > 0.3f));
        c = mixColor(c, hexColor(0x3a2020), band(f.y + 0.6f * std::fabs(f.x), -0.1f, 0.025f) * (std::fabs(f.x) < 0.45f) * (f.depth > 0.3f));
        for (int i = 0; i < 3; ++i)
            for (int side = -1; side <= 1; side += 2)
                c = mixColor(c, hexColor(0x3a2a20), ellipseMask(f.x, f.y, (0.45f + 0.12f * i) * side, 0.15f - 0.12f * i, 0.035f, 0.035f));
        if (teeth)
            c = mixColor(c, hexColor(0xfcfcf4), (f.y < -0.15f) * (f.y > -0.55f) * (std::fabs(f.x) < 0.16f) * (1.0f - band(f.x, 0.0f, 0.01f)) * (f.depth > 0.3f));
        return c;
    };
}

}  // namespace

// A tiger standing on two legs: orange with black stripes, a cream belly and muzzle,
// round ears and a long springy tail.
void designTigger(Design& d)
{
    Paint fur = stripedFur(TIGER_ORANGE, TIGER_STRIPE, 14.0f);
    Paint belly = bellyFur(TIGER_ORANGE, TIGER_STRIPE, 14.0f, CREAM);
    HumanBuild b;
    b.girth = 1.1f;
    b.headSize = 1.35f;
    b.head = [](const Sample& s) {
        FacePoint f = facePoint(s);
        Color c = scaleColor(TIGER_ORANGE, 0.92f + 0.14f * grain(s.pos, 0.012f));
        // Stripes on the forehead and down the cheeks.
        float forehead = (band(f.x, 0.0f, 0.04f) + band(f.x, 0.22f, 0.035f) + band(f.x, -0.22f, 0.035f)) * smoothStep(0.4f, 0.5f, f.y);
        float cheeks = band(f.y + 0.3f * std::fabs(f.x), -0.1f, 0.03f) * smoothStep(0.55f, 0.65f, std::fabs(f.x));
        c = mixColor(c, TIGER_STRIPE, std::fmin(1.0f, (forehead + cheeks) * (f.depth > -0.2f)));
        c = mixColor(c, TIGER_STRIPE, stripeAt(s.pos, 14.0f, 0.16f) * (f.depth < -0.2f));
        return animalFace(c, s, hexColor(0x4a8a3a), 0.0f);
    };
    b.neck = fur;
    b.torso = belly;
    b.pelvis = belly;
    b.upperArm = fur;
    b.forearm = fur;
    b.hand = solid(TIGER_ORANGE);
    b.thigh = fur;
    b.shin = fur;
    b.foot = [](const Sample& s) { return mixColor(TIGER_ORANGE, CREAM, smoothStep(-0.2f, -0.6f, s.unit.y)); };
    buildHuman(d, b);
    d.parts.push_back(makeBall(J_HEAD, {0.13f, HEAD_Y - 0.06f, 0}, 0.07f, 0.065f, 0.1f, 8, 4,
                               muzzlePaint(CREAM, false)));
    for (int side = -1; side <= 1; side += 2) {
        d.parts.push_back(makeBall(side < 0 ? J_EAR_L : J_EAR_R, {-0.01f, HEAD_Y + 0.15f, 0.1f * side},
                                   0.025f, 0.055f, 0.05f, 6, 3, [](const Sample& s) {
                                       return mixColor(TIGER_ORANGE, TIGER_STRIPE, smoothStep(0.2f, 0.5f, -s.unit.x));
                                   }));
    }
    // The tail: down and back from the hips, then curling up.
    d.parts.push_back(makeLimb(J_TAIL, {-0.1f, 0.9f, 0}, {-0.3f, 0.55f, 0}, 0.035f, 0.03f, 6, fur, {0, 1, 0}));
    d.parts.push_back(makeLimb(J_TAIL, {-0.3f, 0.53f, 0}, {-0.46f, 0.68f, 0}, 0.03f, 0.04f, 6, fur, {0, 1, 0}));
    d.gait.stride = 0.5f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"wag", 8, M_WAG}, {"look", 8, M_LOOK}};
}

// A grey-brown rabbit on two legs with long ears, a white belly, buck teeth, big feet
// and a white puff of a tail.
void designRabbit(Design& d)
{
    const Color coat = hexColor(0x9c8a76);
    const Color white = hexColor(0xf4f0ea);
    Paint fur = [coat, white](const Sample& s) {
        Color c = scaleColor(coat, 0.9f + 0.18f * grain(s.pos, 0.01f));
        return mixColor(c, white, smoothStep(0.55f, 0.75f, s.unit.x) * (std::fabs(s.unit.z) < 0.7f));
    };
    HumanBuild b;
    b.girth = 1.05f;
    b.headSize = 1.25f;
    b.footLength = 1.5f;
    b.head = [coat](const Sample& s) {
        Color c = scaleColor(coat, 0.9f + 0.18f * grain(s.pos, 0.01f));
        return animalFace(c, s, hexColor(0x5a3a1a), 0.0f);
    };
    Paint plain = grainy(coat, 0.01f, 0.2f);
    b.neck = plain;
    b.torso = fur;
    b.pelvis = fur;
    b.upperArm = plain;
    b.forearm = plain;
    b.hand = solid(white);
    b.thigh = plain;
    b.shin = plain;
    b.foot = [coat, white](const Sample& s) { return mixColor(coat, white, smoothStep(0.0f, -0.6f, s.unit.y)); };
    buildHuman(d, b);
    d.parts.push_back(makeBall(J_HEAD, {0.115f, HEAD_Y - 0.06f, 0}, 0.06f, 0.06f, 0.085f, 8, 4,
                               muzzlePaint(white, true)));
    for (int side = -1; side <= 1; side += 2) {
        d.parts.push_back(makeBallAlong(side < 0 ? J_EAR_L : J_EAR_R, {-0.03f, HEAD_Y + 0.33f, 0.065f * side},
                                        {-0.15f, 1, 0.12f * side}, {1, 0, 0}, 0.035f, 0.2f, 0.06f, 8, 4,
                                        [coat](const Sample& s) {
                                            Color c = scaleColor(coat, 0.9f + 0.18f * grain(s.pos, 0.01f));
                                            float inner = ellipseMask(s.unit.z, s.unit.y, 0.0f, 0.0f, 0.6f, 0.85f, 0.3f) * smoothStep(0.2f, 0.5f, s.unit.x);
                                            return mixColor(c, NOSE_PINK, inner);
                                        }));
    }
    d.parts.push_back(makeBall(J_TAIL, {-0.15f, 0.9f, 0}, 0.07f, 0.07f, 0.07f, 8, 4, grainy(white, 0.01f, 0.2f)));
    d.gait.stride = 0.45f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"wag", 8, M_WAG}, {"look", 8, M_LOOK}};
}

// A fat orange cat on four legs with dark stripes, sleepy eyes, a pale muzzle and a long
// striped tail held up.
void designGarfield(Design& d)
{
    const Color fur = hexColor(0xec8c24);
    const Color stripe = hexColor(0x7a3a08);
    const Color pale = hexColor(0xf8d890);
    d.rig = RIG_QUADRUPED;
    d.pivots[J_ROOT] = {0, 0.45f, 0};
    d.pivots[J_TORSO] = {0.1f, 0.45f, 0};
    d.pivots[J_HEAD] = {0.4f, 0.6f, 0};
    d.pivots[J_ARM_L] = {0.3f, 0.42f, -0.13f};
    d.pivots[J_ARM_R] = {0.3f, 0.42f, 0.13f};
    d.pivots[J_FOREARM_L] = {0.31f, 0.22f, -0.13f};
    d.pivots[J_FOREARM_R] = {0.31f, 0.22f, 0.13f};
    d.pivots[J_THIGH_L] = {-0.28f, 0.42f, -0.13f};
    d.pivots[J_THIGH_R] = {-0.28f, 0.42f, 0.13f};
    d.pivots[J_SHIN_L] = {-0.3f, 0.22f, -0.13f};
    d.pivots[J_SHIN_R] = {-0.3f, 0.22f, 0.13f};
    d.pivots[J_TAIL] = {-0.42f, 0.5f, 0};
    d.pivots[J_EAR_L] = {0.5f, 0.78f, -0.09f};
    d.pivots[J_EAR_R] = {0.5f, 0.78f, 0.09f};

    // Stripes run across the back, so they follow x on the body and y on legs and tail.
    Paint bodyFur = [=](const Sample& s) {
        Color c = scaleColor(fur, 0.92f + 0.14f * grain(s.pos, 0.012f));
        if (s.normal.y < -0.4f) return mixColor(c, pale, smoothStep(-0.4f, -0.6f, s.normal.y));
        float t = fract(s.pos.x * 9.0f + 0.5f * grain(s.pos, 0.1f));
        return mixColor(c, stripe, band(t, 0.5f, 0.09f) * smoothStep(-0.1f, 0.3f, s.normal.y));
    };
    Paint legFur = stripedFur(fur, stripe, 12.0f);
    Paint paw = [=](const Sample& s) { return mixColor(fur, pale, smoothStep(0.0f, -0.5f, s.unit.y)); };

    d.parts.push_back(makeBall(J_ROOT, {-0.08f, 0.46f, 0}, 0.36f, 0.22f, 0.23f, 12, 6, bodyFur));
    d.parts.push_back(makeBall(J_TORSO, {0.24f, 0.47f, 0}, 0.2f, 0.2f, 0.2f, 10, 5, bodyFur));
    Part head = makeBall(J_HEAD, {0.5f, 0.66f, 0}, 0.17f, 0.15f, 0.19f, 12, 7, [=](const Sample& s) {
        FacePoint f = facePoint(s);
        Color c = scaleColor(fur, 0.92f + 0.14f * grain(s.pos, 0.012f));
        float forehead = (band(f.x, 0.0f, 0.04f) + band(f.x, 0.2f, 0.03f) + band(f.x, -0.2f, 0.03f)) * smoothStep(0.45f, 0.55f, f.y);
        c = mixColor(c, stripe, std::fmin(1.0f, forehead) * (f.depth > -0.3f));
        return animalFace(c, s, hexColor(0xb8c020), 0.5f);
    });
    head.head = true;
    d.parts.push_back(head);
    d.parts.push_back(makeBall(J_HEAD, {0.63f, 0.61f, 0}, 0.07f, 0.06f, 0.11f, 8, 4, muzzlePaint(pale, false)));
    for (int side = -1; side <= 1; side += 2) {
        d.parts.push_back(makeLathe(side < 0 ? J_EAR_L : J_EAR_R, {0.48f, 0.75f, 0.1f * side},
                                    {{0, 0}, {0.07f, 0.0f}, {0, 0.12f}}, 6, 0.6f, 1.0f,
                                    [=](const Sample& s) { return mixColor(fur, NOSE_PINK, smoothStep(0.2f, 0.6f, s.unit.x) * 0.7f); }));
        bool left = side < 0;
        float z = 0.13f * side;
        d.parts.push_back(makeLimb(left ? J_ARM_L : J_ARM_R, {0.3f, 0.46f, z}, {0.31f, 0.2f, z}, 0.075f, 0.06f, 7, legFur));
        d.parts.push_back(makeLimb(left ? J_FOREARM_L : J_FOREARM_R, {0.31f, 0.23f, z}, {0.31f, 0.05f, z}, 0.058f, 0.05f, 7, legFur));
        d.parts.push_back(makeBall(left ? J_FOREARM_L : J_FOREARM_R, {0.34f, 0.04f, z}, 0.08f, 0.04f, 0.06f, 6, 3, paw));
        d.parts.push_back(makeLimb(left ? J_THIGH_L : J_THIGH_R, {-0.28f, 0.48f, z}, {-0.3f, 0.2f, z}, 0.09f, 0.065f, 7, legFur));
        d.parts.push_back(makeLimb(left ? J_SHIN_L : J_SHIN_R, {-0.3f, 0.23f, z}, {-0.3f, 0.05f, z}, 0.06f, 0.05f, 7, legFur));
        d.parts.push_back(makeBall(left ? J_SHIN_L : J_SHIN_R, {-0.27f, 0.04f, z}, 0.08f, 0.04f, 0.06f, 6, 3, paw));
    }
    // The tail rises from the rump and bends back at the tip.
    d.parts.push_back(makeLimb(J_TAIL, {-0.4f, 0.52f, 0}, {-0.62f, 0.66f, 0}, 0.05f, 0.045f, 7, legFur, {0, 1, 0}));
    d.parts.push_back(makeLimb(J_TAIL, {-0.61f, 0.64f, 0}, {-0.68f, 0.86f, 0}, 0.045f, 0.04f, 7, legFur, {0, 1, 0}));
    d.gait.stride = 0.4f;
    d.gait.knee = 0.5f;
    d.anims = {{"stand", 6, M_STAND}, {"look", 8, M_LOOK}, {"wag", 8, M_WAG},
               {"walk", 8, M_WALK},   {"yawn", 6, M_YAWN}};
}

}  // namespace chargen
