// The people in robes, armour and capes: the bearded elder, the figure in white with a
// halo, the dark caped figure and the warrior with a blade.
// Depends on: clothes.h, designs.h.
#include <cmath>

#include "tools/assetgen/models/clothes.h"
#include "tools/assetgen/models/designs.h"

namespace chargen {

namespace {

const Color SKIN_WARM{0.91f, 0.74f, 0.6f};
const Color SKIN_OLIVE{0.86f, 0.68f, 0.52f};
const Color GOLD{0.95f, 0.78f, 0.25f};
const Color DARK_GLOSS{0.09f, 0.09f, 0.11f};

// A wide robe skirt from the hips to just above the ground, open at the bottom.
Part robeSkirt(const Paint& paint, float hem, float flare)
{
    Part skirt = makeLathe(J_ROOT, {0, hem, 0},
                           {{0.2f + flare, 0}, {0.19f + 0.5f * flare, 0.35f}, {0.17f, 0.72f},
                            {0.15f, HIP_Y + 0.06f - hem}},
                           12, 0.8f, 1.0f, paint);
    skirt.twoSided = true;
    return skirt;
}

// Cloth that hangs in folds: darker grooves running down the part.
Paint foldedCloth(Color colour, float folds)
{
    return [colour, folds](const Sample& s) {
        float groove = 0.5f + 0.5f * std::cos(s.u * 6.2831853f * folds);
        Color c = scaleColor(colour, 0.82f + 0.18f * groove);
        return scaleColor(c, 0.94f + 0.1f * grain(s.pos, 0.02f));
    };
}

// Glossy black with a highlight towards the light.
Paint gloss(Color colour)
{
    return [colour](const Sample& s) {
        float hi = smoothStep(0.75f, 0.95f, dot(s.normal, normalized({0.45f, 1.0f, 0.3f})));
        return mixColor(colour, hexColor(0x9098a8), 0.6f * hi);
    };
}

}  // namespace

// An old man with a long grey beard in a blue robe with gold trim and a rope belt.
void designJupiter(Design& d)
{
    const Color robe = hexColor(0x2f3f8f);
    FaceStyle face;
    face.skin = SKIN_WARM;
    face.hair = hexColor(0xc8c8c4);
    face.hairFront = 0.8f;
    face.hairBack = -0.4f;
    face.beard = true;
    face.beardColour = hexColor(0xd8d8d2);
    HumanBuild b;
    b.head = headPaint(face);
    b.neck = solid(SKIN_WARM);
    b.nose = b.neck;
    b.hand = solid(SKIN_WARM);
    Paint robeCloth = foldedCloth(robe, 5.0f);
    b.torso = [robe](const Sample& s) {
        Color c = foldedCloth(robe, 4.0f)(s);
        if (s.unit.x > 0.0f) c = mixColor(c, GOLD, band(std::fabs(s.unit.z), 0.12f + 0.15f * s.unit.y, 0.035f));
        return mixColor(c, hexColor(0xb89860), band(s.unit.y, -0.72f, 0.06f));
    };
    b.pelvis = robeCloth;
    b.upperArm = robeCloth;
    b.forearm = [robe](const Sample& s) {
        return mixColor(foldedCloth(robe, 3.0f)(s), GOLD, band(s.v, 0.06f, 0.03f));
    };
    b.thigh = robeCloth;
    b.shin = robeCloth;
    b.foot = sandal(SKIN_WARM, hexColor(0x6a4a2a));
    buildHuman(d, b);
    // Wide sleeves over the forearms.
    for (int side = -1; side <= 1; side += 2) {
        int joint = side < 0 ? J_FOREARM_L : J_FOREARM_R;
        d.parts.push_back(makeLimb(joint, {0, ELBOW_Y + 0.03f, 0.2f * side},
                                   {0.01f, WRIST_Y + 0.03f, 0.2f * side}, 0.055f, 0.075f, 6,
                                   b.forearm));
    }
    d.parts.push_back(robeSkirt([robe](const Sample& s) {
        Color c = foldedCloth(robe, 9.0f)(s);
        c = mixColor(c, GOLD, band(s.v, 0.04f, 0.03f));
        return mixColor(c, GOLD, band(s.u, 0.5f, 0.012f) * (s.v < 0.8f));
    }, 0.14f, 0.1f));
    // The beard hangs down the chest.
    d.parts.push_back(makeBallAlong(J_HEAD, {0.09f, HEAD_Y - 0.16f, 0}, {0.3f, 1, 0}, {1, 0, 0},
                                    0.05f, 0.12f, 0.08f, 8, 4, [](const Sample& s) {
                                        float streak = 0.8f + 0.3f * grain({s.pos.x * 2, s.pos.y * 0.3f, s.pos.z * 8}, 0.02f);
                                        return scaleColor(hexColor(0xd8d8d2), streak);
                                    }));
    // A rolled scroll in the left hand.
    d.parts.push_back(makeLimb(J_FOREARM_L, {0.0f, WRIST_Y - 0.06f, -0.28f}, {0.0f, WRIST_Y - 0.06f, -0.12f},
                               0.03f, 0.03f, 6, [](const Sample& s) {
                                   return mixColor(hexColor(0xeee0b8), hexColor(0x9a3020), band(s.v, 0.5f, 0.05f));
                               }));
    d.gait.stride = 0.32f;
    d.gait.armSwing = 0.25f;
    d.gait.knee = 0.35f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"point", 6, M_POINT}, {"look", 8, M_LOOK}};
}

// A figure in white robes with long hair, a beard and a golden halo.
void designMessiah(Design& d)
{
    const Color white = hexColor(0xf2f0e8);
    FaceStyle face;
    face.skin = SKIN_OLIVE;
    face.hair = hexColor(0x5a3a20);
    face.hairFront = 0.55f;
    face.longHair = true;
    face.beard = true;
    face.beardColour = hexColor(0x5a3a20);
    face.iris = hexColor(0x5a4028);
    HumanBuild b;
    b.head = headPaint(face);
    b.neck = solid(SKIN_OLIVE);
    b.nose = b.neck;
    b.hand = solid(SKIN_OLIVE);
    Paint robe = foldedCloth(white, 5.0f);
    b.torso = [white](const Sample& s) {
        Color c = foldedCloth(white, 4.0f)(s);
        // A blue sash from the right shoulder to the left hip.
        float sash = band(s.pos.y - 1.2f - 1.1f * s.pos.z * (s.unit.x > 0 ? 1.0f : -1.0f), 0.0f, 0.035f);
        return mixColor(c, hexColor(0x4a78c0), sash);
    };
    b.pelvis = robe;
    b.upperArm = robe;
    b.forearm = robe;
    b.thigh = robe;
    b.shin = robe;
    b.foot = sandal(SKIN_OLIVE, hexColor(0x7a5a30));
    buildHuman(d, b);
    d.parts.push_back(robeSkirt([white](const Sample& s) {
        return mixColor(foldedCloth(white, 10.0f)(s), hexColor(0xc8a850), band(s.v, 0.05f, 0.025f));
    }, 0.12f, 0.08f));
    // Long hair falling on the back.
    d.parts.push_back(makeBallAlong(J_HEAD, {-0.07f, HEAD_Y - 0.1f, 0}, {0.2f, 1, 0}, {1, 0, 0},
                                    0.06f, 0.15f, 0.1f, 8, 4, [](const Sample& s) {
                                        float streak = 0.75f + 0.35f * grain({s.pos.x * 2, s.pos.y * 0.2f, s.pos.z * 8}, 0.02f);
                                        return scaleColor(hexColor(0x5a3a20), streak);
                                    }));
    Part halo = makeRing(J_HEAD, {-0.04f, HEAD_Y + 0.19f, 0}, 0.14f, 0.018f, 12, 4,
                         [](const Sample& s) {
                             return mixColor(GOLD, hexColor(0xfff4b0), 0.5f * smoothStep(0.0f, 1.0f, s.normal.y));
                         });
    halo.axis = {-0.35f, 1, 0};
    d.parts.push_back(halo);
    d.gait.stride = 0.32f;
    d.gait.armSwing = 0.25f;
    d.gait.knee = 0.35f;
    d.anims = {{"stand", 6, M_STAND}, {"bless", 8, M_BLESS}, {"walk", 8, M_WALK}, {"nod", 6, M_NOD}};
}

// A tall figure in black armour with a glossy helmet, a chest panel and a long cape.
void designDarth(Design& d)
{
    Paint black = gloss(DARK_GLOSS);
    HumanBuild b;
    b.girth = 1.12f;
    b.shoulder = 0.22f;
    b.head = [](const Sample& s) {
        FacePoint f = facePoint(s);
        Color c = gloss(DARK_GLOSS)(s);
        if (f.depth > 0.3f) {
            // Two slanted eye lenses, a triangular mouth grille and a ridge down the nose.
            for (int side = -1; side <= 1; side += 2) {
                float lens = ellipseMask(f.x, f.y - 0.12f * std::fabs(f.x), 0.3f * side, 0.08f, 0.2f, 0.11f);
                c = mixColor(c, hexColor(0x2a1e30), lens);
                c = mixColor(c, hexColor(0xb0a0c0), lens * ellipseMask(f.x, f.y, 0.26f * side, 0.12f, 0.05f, 0.03f));
            }
            float grille = (f.y < -0.2f && f.y > -0.7f && std::fabs(f.x) < 0.3f + 0.4f * (f.y + 0.2f)) ? 1.0f : 0.0f;
            float slots = band(std::fmod(f.x * 12.0f + 20.0f, 1.0f), 0.5f, 0.15f);
            c = mixColor(c, mixColor(hexColor(0x5a5a62), hexColor(0x101012), slots), grille);
            c = mixColor(c, hexColor(0x6a6a74), band(f.x, 0.0f, 0.03f) * (f.y > -0.2f) * (f.y < 0.4f));
        }
        return c;
    };
    b.neck = black;
    b.hand = black;
    b.torso = [](const Sample& s) {
        Color c = mixColor(DARK_GLOSS, hexColor(0x22222a), grain(s.pos, 0.03f));
        if (s.unit.x > 0.0f) {
            // Chest panel with coloured buttons.
            float panel = ellipseMask(s.unit.z, s.unit.y, 0.0f, 0.3f, 0.35f, 0.2f, 0.05f);
            c = mixColor(c, hexColor(0x5a5e66), panel);
            c = mixColor(c, hexColor(0xd02020), ellipseMask(s.unit.z, s.unit.y, -0.15f, 0.33f, 0.06f, 0.06f));
            c = mixColor(c, hexColor(0x20a040), ellipseMask(s.unit.z, s.unit.y, 0.0f, 0.33f, 0.06f, 0.06f));
            c = mixColor(c, hexColor(0x3060d0), ellipseMask(s.unit.z, s.unit.y, 0.15f, 0.33f, 0.06f, 0.06f));
        }
        // Belt with a silver buckle.
        c = mixColor(c, hexColor(0x1a1a1e), band(s.unit.y, -0.72f, 0.07f));
        return mixColor(c, hexColor(0xb8bcc4), band(s.unit.y, -0.72f, 0.06f) * (s.unit.x > 0.8f));
    };
    b.pelvis = black;
    b.upperArm = black;
    b.forearm = black;
    b.thigh = black;
    b.shin = black;
    b.foot = black;
    buildHuman(d, b);
    // The helmet flares out over the neck and shoulders at the back and sides.
    Part flare = makeLathe(J_HEAD, {0, HEAD_Y - 0.17f, 0},
                           {{0.19f, 0}, {0.16f, 0.08f}, {0.13f, 0.17f}, {0.12f, 0.22f}}, 12,
                           1.0f, 1.0f, black);
    flare.arc0 = -0.32f;
    flare.arc1 = 0.32f;
    flare.twoSided = true;
    d.parts.push_back(flare);
    Part cape = makeLathe(J_TORSO, {-0.02f, 0.1f, 0},
                          {{0.44f, 0}, {0.36f, 0.6f}, {0.26f, 1.15f}, {0.2f, 1.38f}}, 12, 0.75f,
                          1.05f, [](const Sample& s) {
                              float fold = 0.5f + 0.5f * std::cos(s.u * 6.2831853f * 4.0f);
                              return scaleColor(hexColor(0x141418), 0.75f + 0.35f * fold);
                          });
    cape.arc0 = -0.3f;
    cape.arc1 = 0.3f;
    cape.twoSided = true;
    d.parts.push_back(cape);
    d.gait.stride = 0.38f;
    d.gait.armSwing = 0.3f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"point", 6, M_POINT}, {"look", 8, M_LOOK}};
}

// A quick warrior woman in plate armour with long red hair and a blade in her right hand.
void designWitchblade(Design& d)
{
    const Color steel = hexColor(0xa8acb8);
    FaceStyle face;
    face.skin = SKIN_WARM;
    face.hair = hexColor(0xb0381c);
    face.hairFront = 0.55f;
    face.longHair = true;
    face.iris = hexColor(0x3a8a4a);
    face.lips = hexColor(0xb02a3a);
    HumanBuild b;
    b.girth = 0.9f;
    b.shoulder = 0.18f;
    b.head = headPaint(face);
    b.neck = solid(SKIN_WARM);
    b.nose = b.neck;
    b.hand = armour(steel, 1.0f);
    b.torso = [steel](const Sample& s) {
        Color c = armour(steel, 5.0f)(s);
        // A red gem over the heart.
        return mixColor(c, hexColor(0xd01830), ellipseMask(s.unit.z, s.unit.y, 0.0f, 0.45f, 0.1f, 0.08f) * (s.unit.x > 0.5f));
    };
    b.pelvis = armour(steel, 2.0f);
    b.upperArm = solid(hexColor(0x3a2a28));
    b.forearm = armour(steel, 3.0f);
    b.thigh = sleeve(hexColor(0x3a2a28), false);
    b.shin = armour(steel, 3.0f);
    b.foot = armour(steel, 1.0f);
    buildHuman(d, b);
    // Shoulder plates.
    for (int side = -1; side <= 1; side += 2) {
        int joint = side < 0 ? J_ARM_L : J_ARM_R;
        d.parts.push_back(makeBall(joint, {0, SHOULDER_Y + 0.01f, 0.18f * side}, 0.09f, 0.07f, 0.08f, 8, 4,
                                   armour(steel, 2.0f)));
    }
    // Long hair down the back.
    d.parts.push_back(makeBallAlong(J_HEAD, {-0.08f, HEAD_Y - 0.14f, 0}, {0.15f, 1, 0}, {1, 0, 0},
                                    0.06f, 0.2f, 0.1f, 8, 4, [](const Sample& s) {
                                        float streak = 0.75f + 0.35f * grain({s.pos.x * 2, s.pos.y * 0.2f, s.pos.z * 8}, 0.02f);
                                        return scaleColor(hexColor(0xb0381c), streak);
                                    }));
    // The blade, held forward and down, with its guard and grip.
    const float z = 0.18f;
    V3 hand{0.0f, WRIST_Y - 0.05f, z};
    V3 dir = normalized({0.85f, -0.3f, 0});
    Paint blade = [](const Sample& s) {
        Color c = mixColor(hexColor(0x8890a0), hexColor(0xf0f4ff), smoothStep(-0.6f, 0.8f, s.unit.x));
        return mixColor(c, hexColor(0x505868), band(s.unit.x, 0.0f, 0.05f));
    };
    d.parts.push_back(makeBox(J_FOREARM_R, hand + dir * 0.4f, 0.035f, 0.33f, 0.007f, blade, dir, {0.3f, 0.85f, 0}));
    d.parts.push_back(makeBox(J_FOREARM_R, hand + dir * 0.06f, 0.012f, 0.012f, 0.07f, solid(GOLD), dir, {0.3f, 0.85f, 0}));
    d.parts.push_back(makeLimb(J_FOREARM_R, hand - dir * 0.06f, hand + dir * 0.05f, 0.018f, 0.018f, 4,
                               solid(hexColor(0x3a2216))));
    d.gait.stride = 0.55f;
    d.gait.knee = 0.9f;
    d.gait.armSwing = 0.32f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 12, M_WALK}, {"slash", 8, M_SLASH}, {"look", 8, M_LOOK}};
}

}  // namespace chargen
