// The two round little figures: the stout kid in a winter hat and the yellow figure with an
// antenna on its head.
// Depends on: designs.h, paint_kit.h.
#include <cmath>

#include "tools/assetgen/models/designs.h"
#include "tools/assetgen/models/paint_kit.h"

namespace chargen {

namespace {

const int ROUND_SEGMENTS = 12;

// Joints of a round figure: a ball of a body on short legs, a big head on top.
void roundPivots(Design& d, float hipY, float shoulderY, float shoulder, float headBase)
{
    d.rig = RIG_BIPED;
    d.pivots[J_ROOT] = {0, hipY, 0};
    d.pivots[J_TORSO] = {0, hipY + 0.02f, 0};
    d.pivots[J_HEAD] = {0, headBase, 0};
    d.pivots[J_ARM_L] = {0, shoulderY, -shoulder};
    d.pivots[J_ARM_R] = {0, shoulderY, shoulder};
    d.pivots[J_FOREARM_L] = {0.02f, shoulderY - 0.16f, -shoulder - 0.05f};
    d.pivots[J_FOREARM_R] = {0.02f, shoulderY - 0.16f, shoulder + 0.05f};
    d.pivots[J_THIGH_L] = {0, hipY - 0.04f, -0.13f};
    d.pivots[J_THIGH_R] = {0, hipY - 0.04f, 0.13f};
    d.pivots[J_SHIN_L] = {0, 0.14f, -0.13f};
    d.pivots[J_SHIN_R] = {0, 0.14f, 0.13f};
}

// Short arms and legs with round hands and feet.
void roundLimbs(Design& d, float shoulderY, float shoulder, float armR, float legR,
                const Paint& arm, const Paint& hand, const Paint& leg, const Paint& foot)
{
    const float hipY = d.pivots[J_ROOT].y;
    for (int side = -1; side <= 1; side += 2) {
        bool left = side < 0;
        float z = shoulder * side, zo = (shoulder + 0.05f) * side, zl = 0.13f * side;
        d.parts.push_back(makeLimb(left ? J_ARM_L : J_ARM_R, {0, shoulderY + 0.02f, z},
                                   {0.02f, shoulderY - 0.17f, zo}, armR, armR * 0.9f, 6, arm));
        d.parts.push_back(makeLimb(left ? J_FOREARM_L : J_FOREARM_R, {0.02f, shoulderY - 0.15f, zo},
                                   {0.04f, shoulderY - 0.29f, zo + 0.01f * side}, armR * 0.9f,
                                   armR * 0.85f, 6, arm));
        d.parts.push_back(makeBall(left ? J_FOREARM_L : J_FOREARM_R,
                                   {0.04f, shoulderY - 0.33f, zo + 0.01f * side}, armR, armR * 1.1f,
                                   armR * 0.85f, 6, 3, hand));
        d.parts.push_back(makeLimb(left ? J_THIGH_L : J_THIGH_R, {0, hipY, zl}, {0, 0.13f, zl}, legR,
                                   legR * 0.95f, 6, leg));
        d.parts.push_back(makeLimb(left ? J_SHIN_L : J_SHIN_R, {0, 0.16f, zl}, {0, 0.06f, zl},
                                   legR * 0.95f, legR * 0.9f, 6, leg));
        d.parts.push_back(makeBall(left ? J_SHIN_L : J_SHIN_R, {0.035f, 0.045f, zl}, 0.11f, 0.045f,
                                   0.08f, 8, 3, foot));
    }
}

}  // namespace

// A stout kid: a round body in a red jacket, a big round head, a green knit hat with a
// white band and a pompom, yellow mittens.
void designCartman(Design& d)
{
    const float shoulderY = 0.66f, shoulder = 0.3f;
    roundPivots(d, 0.3f, shoulderY, shoulder, 0.78f);
    const Color skin = hexColor(0xf4cfa8);
    const Color hat = hexColor(0x2f8a4a);
    Part head = makeBall(J_HEAD, {0, 0.98f, 0}, 0.3f, 0.28f, 0.33f, ROUND_SEGMENTS, 7,
                         [=](const Sample& s) {
                             FacePoint f = facePoint(s);
                             Color c = skin;
                             if (f.depth > 0.1f) {
                                 for (int side = -1; side <= 1; side += 2) {
                                     float cx = 0.2f * side;
                                     c = mixColor(c, hexColor(0x302018), ellipseMask(f.x, f.y, cx, 0.05f, 0.22f, 0.27f, 0.12f));
                                     c = mixColor(c, hexColor(0xfafafa), ellipseMask(f.x, f.y, cx, 0.05f, 0.2f, 0.25f, 0.12f));
                                     c = mixColor(c, hexColor(0x101010), ellipseMask(f.x, f.y, cx * 0.6f, 0.02f, 0.05f, 0.06f, 0.3f));
                                     c = mixColor(c, hexColor(0xf0a890), 0.5f * ellipseMask(f.x, f.y, 0.5f * side, -0.3f, 0.14f, 0.1f, 0.8f));
                                 }
                                 c = mixColor(c, hexColor(0x4a2018), band(f.y, -0.42f, 0.015f) * (std::fabs(f.x) < 0.14f));
                                 // A double chin.
                                 c = mixColor(c, scaleColor(skin, 0.75f), band(f.y + 0.2f * f.x * f.x, -0.66f, 0.015f) * (std::fabs(f.x) < 0.4f));
                             }
                             // The knit hat: ribbed, with a white band along its edge.
                             float edge = 0.3f - 0.3f * smoothStep(0.3f, -0.6f, s.unit.x);
                             if (s.unit.y > edge) {
                                 float rib = 0.85f + 0.15f * std::cos(s.u * 6.2831853f * 24.0f);
                                 c = scaleColor(hat, rib);
                                 if (s.unit.y < edge + 0.14f) c = scaleColor(hexColor(0xf0f0f0), rib);
                             }
                             return c;
                         });
    head.head = true;
    d.parts.push_back(head);
    d.parts.push_back(makeBall(J_HEAD, {-0.02f, 1.29f, 0}, 0.07f, 0.07f, 0.07f, 8, 4,
                               grainy(hexColor(0xf0f0f0), 0.015f, 0.3f)));
    d.parts.push_back(makeBall(J_TORSO, {0, 0.47f, 0}, 0.3f, 0.3f, 0.36f, ROUND_SEGMENTS, 6,
                               [](const Sample& s) {
                                   Color c = hexColor(0xd02a20);
                                   if (s.pos.y < 0.3f) c = hexColor(0x7a5230);
                                   c = mixColor(c, hexColor(0x201410), band(s.pos.y, 0.3f, 0.008f));
                                   if (s.unit.x > 0.0f) {
                                       c = mixColor(c, hexColor(0x201410), band(s.unit.z, 0.0f, 0.015f) * (s.pos.y > 0.3f));
                                       for (float y = 0.38f; y < 0.7f; y += 0.1f)
                                           c = mixColor(c, hexColor(0x201410), ellipseMask(s.unit.z, s.pos.y, 0.1f, y, 0.03f, 0.015f));
                                   }
                                   return scaleColor(c, 0.92f + 0.12f * grain(s.pos, 0.02f));
                               }));
    roundLimbs(d, shoulderY, shoulder, 0.065f, 0.085f, solid(hexColor(0xd02a20)),
               solid(hexColor(0xf0c020)), solid(hexColor(0x7a5230)), solid(hexColor(0x1a1a1a)));
    d.gait.stride = 0.5f;
    d.gait.knee = 0.5f;
    d.gait.twist = 0.12f;
    d.anims = {{"stand", 6, M_STAND}, {"wave", 8, M_WAVE}, {"walk", 8, M_WALK}, {"look", 8, M_LOOK}};
}

// A round yellow figure with a round face, short limbs and an antenna with a ball on top.
void designLalaa(Design& d)
{
    const float shoulderY = 0.78f, shoulder = 0.28f;
    roundPivots(d, 0.32f, shoulderY, shoulder, 0.88f);
    const Color fur = hexColor(0xf2d22a);
    Paint plush = [fur](const Sample& s) { return scaleColor(fur, 0.9f + 0.15f * grain(s.pos, 0.01f)); };
    Part head = makeBall(J_HEAD, {0, 1.08f, 0}, 0.26f, 0.25f, 0.27f, ROUND_SEGMENTS, 7,
                         [plush](const Sample& s) {
                             FacePoint f = facePoint(s);
                             Color c = plush(s);
                             if (f.depth > 0.1f) {
                                 float face = ellipseMask(f.x, f.y, 0.0f, -0.05f, 0.62f, 0.6f, 0.08f);
                                 c = mixColor(c, hexColor(0xf6e2c4), face);
                                 for (int side = -1; side <= 1; side += 2) {
                                     c = mixColor(c, hexColor(0x1a1410), ellipseMask(f.x, f.y, 0.2f * side, 0.1f, 0.08f, 0.13f, 0.25f));
                                     c = mixColor(c, hexColor(0xffffff), ellipseMask(f.x, f.y, 0.2f * side + 0.02f, 0.14f, 0.02f, 0.025f, 0.4f));
                                     c = mixColor(c, hexColor(0xf08a8a), 0.6f * ellipseMask(f.x, f.y, 0.38f * side, -0.15f, 0.1f, 0.07f, 0.6f));
                                 }
                                 // A wide smile.
                                 float smile = band(f.y + 0.22f - 0.8f * f.x * f.x, -0.05f, 0.015f) * (std::fabs(f.x) < 0.24f);
                                 c = mixColor(c, hexColor(0x6a2a20), smile);
                             }
                             return c;
                         });
    head.head = true;
    d.parts.push_back(head);
    d.parts.push_back(makeLimb(J_HEAD, {0, 1.3f, 0}, {0, 1.56f, 0}, 0.02f, 0.016f, 6, plush));
    d.parts.push_back(makeBall(J_HEAD, {0, 1.6f, 0}, 0.05f, 0.05f, 0.05f, 8, 4, plush));
    d.parts.push_back(makeBall(J_TORSO, {0, 0.57f, 0}, 0.29f, 0.34f, 0.32f, ROUND_SEGMENTS, 6,
                               [plush](const Sample& s) {
                                   Color c = plush(s);
                                   return mixColor(c, hexColor(0xf8e8a0), ellipseMask(s.unit.z, s.unit.y, 0.0f, -0.15f, 0.45f, 0.5f, 0.2f) * smoothStep(0.3f, 0.6f, s.unit.x));
                               }));
    roundLimbs(d, shoulderY, shoulder, 0.07f, 0.09f, plush, plush, plush,
               [fur](const Sample& s) { return mixColor(scaleColor(fur, 0.85f), hexColor(0x8a6a20), smoothStep(0.0f, -0.5f, s.unit.y)); });
    d.gait.stride = 0.5f;
    d.gait.knee = 0.5f;
    d.gait.twist = 0.1f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"wave", 8, M_WAVE}, {"clap", 8, M_CLAP}};
}

}  // namespace chargen
