// The people of the street in everyday clothes: civilian, business suit and long coat.
// Depends on: clothes.h, designs.h, paint_kit.h.
#include <cmath>

#include "tools/assetgen/models/clothes.h"
#include "tools/assetgen/models/designs.h"
#include "tools/assetgen/models/paint_kit.h"

namespace chargen {

namespace {

const Color SKIN_LIGHT{0.93f, 0.76f, 0.62f};
const Color SKIN_PALE{0.95f, 0.87f, 0.82f};

void addStandardAnims(Design& d)
{
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"wave", 8, M_WAVE}, {"look", 8, M_LOOK}};
}

}  // namespace

// A civilian in jeans, a suede jacket over a white shirt and trainers.
void designCivi(Design& d)
{
    const Color jacket = hexColor(0x8c5a34);
    FaceStyle face;
    face.skin = SKIN_LIGHT;
    face.hair = hexColor(0x4a2e18);
    HumanBuild b;
    b.head = headPaint(face);
    b.neck = solid(SKIN_LIGHT);
    b.nose = b.neck;
    b.hand = solid(SKIN_LIGHT);
    b.torso = [jacket](const Sample& s) {
        Color c = scaleColor(jacket, 0.9f + 0.15f * grain(s.pos, 0.015f));
        float opening = 0.2f + 0.12f * smoothStep(0.2f, 0.8f, s.unit.y);
        if (s.unit.x > 0.0f && std::fabs(s.unit.z) < opening) c = hexColor(0xeeeeea);
        if (s.unit.x > 0.0f) {
            c = mixColor(c, scaleColor(jacket, 0.45f), band(std::fabs(s.unit.z), opening, 0.02f));
            // Pocket flaps low on both sides.
            c = mixColor(c, scaleColor(jacket, 0.55f),
                       band(s.unit.y, -0.45f, 0.02f) * band(std::fabs(s.unit.z), 0.55f, 0.12f));
        }
        c = mixColor(c, scaleColor(jacket, 0.7f), smoothStep(0.7f, 0.78f, s.unit.y) * (std::fabs(s.unit.z) > 0.25f));
        return mixColor(c, scaleColor(jacket, 0.65f), smoothStep(-0.82f, -0.9f, s.unit.y));
    };
    b.upperArm = sleeve(jacket, false);
    b.forearm = sleeve(jacket, true);
    b.pelvis = [](const Sample& s) {
        Color c = jeans(hexColor(0x34507e))(s);
        c = mixColor(c, hexColor(0x3a2416), band(s.unit.y, 0.55f, 0.1f));
        return mixColor(c, hexColor(0xc8b060), band(s.unit.y, 0.55f, 0.09f) *
                                               ellipseMask(s.unit.z, 0, 0, 0, 0.12f, 1) * (s.unit.x > 0.5f));
    };
    b.thigh = jeans(hexColor(0x34507e));
    b.shin = jeans(hexColor(0x34507e));
    b.foot = sneaker(hexColor(0xc03030));
    buildHuman(d, b);
    d.anims = {{"stand", 6, M_STAND}, {"wave", 8, M_WAVE}, {"point", 6, M_POINT},
               {"nod", 6, M_NOD},     {"look", 8, M_LOOK}, {"bow", 6, M_BOW},
               {"shrug", 6, M_SHRUG}, {"walk", 8, M_WALK}, {"clap", 8, M_CLAP}};
}

// A man in a charcoal business suit with a red tie, carrying a briefcase.
void designSuit(Design& d)
{
    const Color cloth = hexColor(0x3a3d44);
    FaceStyle face;
    face.skin = SKIN_LIGHT;
    face.hair = hexColor(0x222018);
    face.hairFront = 0.55f;
    face.hairBack = -0.1f;
    HumanBuild b;
    b.head = headPaint(face);
    b.neck = solid(SKIN_LIGHT);
    b.nose = b.neck;
    b.hand = solid(SKIN_LIGHT);
    b.torso = [cloth](const Sample& s) {
        Color c = scaleColor(cloth, 0.93f + 0.1f * grain(s.pos, 0.02f));
        if (s.unit.x > 0.0f) {
            // Shirt showing in the V of the lapels, lapel edges, buttons.
            float vee = 0.05f + 0.45f * smoothStep(-0.1f, 0.75f, s.unit.y);
            if (std::fabs(s.unit.z) < vee && s.unit.y > -0.1f) c = hexColor(0xf4f4f6);
            c = mixColor(c, hexColor(0x1c1d22), band(std::fabs(s.unit.z), vee, 0.025f) * (s.unit.y > -0.1f));
            c = mixColor(c, hexColor(0x14141a), ellipseMask(s.unit.z, s.unit.y, 0.04f, -0.3f, 0.035f, 0.05f));
            c = mixColor(c, hexColor(0x14141a), ellipseMask(s.unit.z, s.unit.y, 0.04f, -0.6f, 0.035f, 0.05f));
            c = mixColor(c, hexColor(0x24252b), band(s.unit.y, -0.5f, 0.015f) * band(std::fabs(s.unit.z), 0.6f, 0.12f));
        }
        return c;
    };
    b.upperArm = sleeve(cloth, false);
    b.forearm = [cloth](const Sample& s) {
        Color c = sleeve(cloth, false)(s);
        return mixColor(c, hexColor(0xf4f4f6), smoothStep(0.9f, 0.93f, s.v));
    };
    b.pelvis = trouserCloth(cloth);
    b.thigh = trouserCloth(cloth);
    b.shin = trouserCloth(cloth);
    b.foot = leatherShoe(hexColor(0x141210));
    buildHuman(d, b);
    // Tie down the shirt front, knot at the collar.
    Paint tie = [](const Sample& s) {
        Color c = hexColor(0xb01c24);
        return mixColor(c, hexColor(0x701015), 0.6f * band(std::fmod(s.pos.y * 30.0f + s.pos.z * 30.0f + 50.0f, 1.0f), 0.5f, 0.12f));
    };
    d.parts.push_back(makeBox(J_TORSO, {0.1f, 1.29f, 0}, 0.01f, 0.13f, 0.028f, tie, {0.03f, 1, 0}));
    d.parts.push_back(makeBall(J_TORSO, {0.1f, 1.425f, 0}, 0.02f, 0.025f, 0.03f, 6, 3, tie));
    // Briefcase in the left hand, hanging by its handle.
    Paint leather = [](const Sample& s) {
        Color c = scaleColor(hexColor(0x5a3a1e), 0.85f + 0.2f * grain(s.pos, 0.01f));
        c = mixColor(c, hexColor(0x2a1a0c), band(std::fabs(s.unit.y), 0.62f, 0.03f));
        return mixColor(c, hexColor(0xd0b060), ellipseMask(s.unit.x, s.unit.y, 0.0f, 0.62f, 0.12f, 0.06f) * (std::fabs(s.unit.z) > 0.9f));
    };
    d.parts.push_back(makeBox(J_FOREARM_L, {0.0f, 0.68f, -0.24f}, 0.17f, 0.12f, 0.04f, leather));
    d.parts.push_back(makeLimb(J_FOREARM_L, {-0.04f, 0.82f, -0.23f}, {0.04f, 0.82f, -0.23f}, 0.012f,
                               0.012f, 4, solid(hexColor(0x2a1a0c))));
    d.gait.armSwing = 0.35f;
    addStandardAnims(d);
}

// A slim, pale figure in a long dark coat.
void designTwilight(Design& d)
{
    const Color coat = hexColor(0x3a3446);
    FaceStyle face;
    face.skin = SKIN_PALE;
    face.hair = hexColor(0x3a2618);
    face.iris = hexColor(0xb08a3a);
    face.hairFront = 0.35f;
    face.hairBack = -0.6f;
    face.paleLook = true;
    HumanBuild b;
    b.girth = 0.85f;
    b.shoulder = 0.18f;
    b.head = headPaint(face);
    b.neck = solid(SKIN_PALE);
    b.nose = b.neck;
    b.hand = solid(SKIN_PALE);
    Paint coatCloth = [coat](const Sample& s) {
        Color c = scaleColor(coat, 0.9f + 0.2f * grain(s.pos, 0.02f));
        if (s.unit.x > 0.0f) {
            c = mixColor(c, hexColor(0x0e0d12), band(s.unit.z, 0.05f, 0.015f));
            for (float y = -0.6f; y < 0.6f; y += 0.3f)
                c = mixColor(c, hexColor(0x8a8a90), ellipseMask(s.unit.z, s.unit.y, 0.16f, y, 0.03f, 0.04f));
        }
        return mixColor(c, hexColor(0x3a3848), smoothStep(0.55f, 0.7f, s.unit.y));
    };
    b.torso = coatCloth;
    b.upperArm = sleeve(coat, false);
    b.forearm = sleeve(coat, true);
    b.pelvis = coatCloth;
    b.thigh = trouserCloth(hexColor(0x2e3036));
    b.shin = trouserCloth(hexColor(0x2e3036));
    b.foot = leatherShoe(hexColor(0x1a1414));
    buildHuman(d, b);
    // The coat's skirts, split at the front, reaching down to the shins.
    Part skirt = makeLathe(J_ROOT, {0, 0.3f, 0},
                           {{0.24f, 0}, {0.2f, 0.35f}, {0.165f, 0.62f}, {0.16f, 0.7f}}, 12,
                           0.8f, 1.0f, [coat](const Sample& s) {
                               Color c = scaleColor(coat, 0.88f + 0.2f * grain(s.pos, 0.02f));
                               c = mixColor(c, scaleColor(coat, 0.6f), smoothStep(-0.8f, -0.95f, s.unit.y));
                               return mixColor(c, hexColor(0x0e0d12), 0.5f * band(std::fmod(s.u * 6.0f, 1.0f), 0.5f, 0.03f));
                           });
    skirt.arc0 = 0.04f;
    skirt.arc1 = 0.96f;
    skirt.twoSided = true;
    d.parts.push_back(skirt);
    d.gait.stride = 0.38f;
    d.anims = {{"stand", 6, M_STAND}, {"walk", 8, M_WALK}, {"look", 8, M_LOOK}, {"nod", 6, M_NOD}};
}

}  // namespace chargen
