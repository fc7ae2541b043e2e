// The human body shared by the people of the street: joints, limbs, torso and head.
// Depends on: designs.h.
#include "tools/assetgen/models/designs.h"

namespace chargen {

namespace {

const int HEAD_SEGMENTS = 12;  // a multiple of four keeps the face in the head's front half
const int HEAD_BANDS = 7;
const int BODY_SEGMENTS = 10;
const int LIMB_SEGMENTS = 6;

}  // namespace

void buildHuman(Design& d, const HumanBuild& b)
{
    const float g = b.girth;
    const float sh = b.shoulder, hp = b.hip;
    d.rig = RIG_BIPED;
    d.pivots[J_ROOT] = {0, HIP_Y, 0};
    d.pivots[J_TORSO] = {0, HIP_Y + 0.05f, 0};
    d.pivots[J_HEAD] = {0, NECK_Y + 0.04f, 0};
    d.pivots[J_ARM_L] = {0, SHOULDER_Y, -sh};
    d.pivots[J_ARM_R] = {0, SHOULDER_Y, sh};
    d.pivots[J_FOREARM_L] = {0, ELBOW_Y, -sh};
    d.pivots[J_FOREARM_R] = {0, ELBOW_Y, sh};
    d.pivots[J_THIGH_L] = {0, HIP_Y - 0.02f, -hp};
    d.pivots[J_THIGH_R] = {0, HIP_Y - 0.02f, hp};
    d.pivots[J_SHIN_L] = {0, KNEE_Y, -hp};
    d.pivots[J_SHIN_R] = {0, KNEE_Y, hp};
    d.pivots[J_TAIL] = {-0.12f, HIP_Y - 0.05f, 0};
    d.pivots[J_EAR_L] = {0, HEAD_Y + 0.1f, -0.06f};
    d.pivots[J_EAR_R] = {0, HEAD_Y + 0.1f, 0.06f};

    const float hs = b.headSize;
    Part head = makeBall(J_HEAD, {0, HEAD_Y, 0}, 0.115f * hs, 0.13f * hs, 0.105f * hs,
                         HEAD_SEGMENTS, HEAD_BANDS, b.head);
    head.head = true;
    d.parts.push_back(head);
    if (b.nose)
        d.parts.push_back(makeBall(J_HEAD, {0.108f * hs, HEAD_Y - 0.015f, 0}, 0.03f, 0.032f, 0.022f, 6,
                                   3, b.nose));
    Part neck = makeLimb(J_HEAD, {0, NECK_Y - 0.02f, 0}, {0, HEAD_Y - 0.06f, 0}, 0.05f * g,
                         0.048f * g, LIMB_SEGMENTS, b.neck);
    d.parts.push_back(neck);

    Part torso = makeLathe(J_TORSO, {0, HIP_Y - 0.04f, 0},
                           {{0, 0}, {0.15f, 0.04f}, {0.15f, 0.26f}, {0.18f, 0.46f},
                            {0.13f, 0.56f}, {0, 0.58f}},
                           BODY_SEGMENTS, 0.62f * g, 1.06f * g * sh / 0.2f, b.torso);
    d.parts.push_back(torso);
    d.parts.push_back(makeBall(J_ROOT, {0, HIP_Y - 0.03f, 0}, 0.11f * g, 0.1f, 0.165f * g, 8, 4,
                               b.pelvis));

    for (int side = -1; side <= 1; side += 2) {
        bool left = side < 0;
        float z = sh * side;
        int arm = left ? J_ARM_L : J_ARM_R;
        int forearm = left ? J_FOREARM_L : J_FOREARM_R;
        d.parts.push_back(makeLimb(arm, {0, SHOULDER_Y + 0.03f, z}, {0, ELBOW_Y - 0.02f, z},
                                   0.055f * g, 0.045f * g, LIMB_SEGMENTS, b.upperArm));
        d.parts.push_back(makeLimb(forearm, {0, ELBOW_Y + 0.02f, z}, {0, WRIST_Y, z}, 0.045f * g,
                                   0.036f * g, LIMB_SEGMENTS, b.forearm));
        d.parts.push_back(makeBall(forearm, {0.005f, WRIST_Y - 0.055f, z}, 0.035f * g, 0.065f,
                                   0.027f * g, 6, 3, b.hand));

        float zl = hp * side;
        int thigh = left ? J_THIGH_L : J_THIGH_R;
        int shin = left ? J_SHIN_L : J_SHIN_R;
        d.parts.push_back(makeLimb(thigh, {0, HIP_Y + 0.02f, zl}, {0, KNEE_Y - 0.03f, zl},
                                   0.085f * g, 0.064f * g, LIMB_SEGMENTS + 1, b.thigh));
        d.parts.push_back(makeLimb(shin, {0, KNEE_Y + 0.03f, zl}, {0, ANKLE_Y - 0.01f, zl},
                                   0.062f * g, 0.045f * g, LIMB_SEGMENTS + 1, b.shin));
        float footHalf = 0.125f * b.footLength;
        d.parts.push_back(makeBox(shin, {footHalf - 0.07f, 0.04f, zl}, footHalf, 0.04f, 0.052f * g,
                                  b.foot));
    }
}

}  // namespace chargen
