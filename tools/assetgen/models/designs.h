// The thirteen passers-by: one design function per kind, and the human body most of them
// share.
// Depends on: model.h.
#pragma once
#include "tools/assetgen/models/model.h"

namespace chargen {

// Heights of the human body the people are built on, in build units (a grown-up is 1.8
// tall; the generator scales every figure to its kind afterwards).
const float HIP_Y = 0.95f;
const float KNEE_Y = 0.5f;
const float ANKLE_Y = 0.08f;
const float SHOULDER_Y = 1.44f;
const float ELBOW_Y = 1.14f;
const float WRIST_Y = 0.88f;
const float NECK_Y = 1.48f;
const float HEAD_Y = 1.68f;

struct HumanBuild {
    float shoulder = 0.2f;  // half the distance between the shoulders
    float hip = 0.095f;     // half the distance between the legs
    float girth = 1.0f;     // thickness of body and limbs
    float headSize = 1.0f;
    float footLength = 1.0f;
    Paint head, neck, torso, pelvis, upperArm, forearm, hand, thigh, shin, foot;
    Paint nose;  // none: no nose is built
};

// Joints and body parts of a person standing at the origin, facing +x.
void buildHuman(Design& design, const HumanBuild& build);

void designCivi(Design& design);
void designJupiter(Design& design);
void designSuit(Design& design);
void designTwilight(Design& design);
void designWitchblade(Design& design);
void designDarth(Design& design);
void designMessiah(Design& design);
void designCartman(Design& design);
void designR2d2(Design& design);
void designGarfield(Design& design);
void designLalaa(Design& design);
void designTigger(Design& design);
void designRabbit(Design& design);

}  // namespace chargen
