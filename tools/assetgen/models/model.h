// A passer-by as the generator builds it: the joints that move it, its parts, its list of
// animations, and the poses that make the keyframes.
// Depends on: geometry.h.
#pragma once
#include <vector>

#include "tools/assetgen/models/geometry.h"

namespace chargen {

// Joints of every figure. Four-legged figures use the arm joints for the front legs and
// the leg joints for the hind legs; the droid's legs are the leg joints, its dome the head.
enum JointId {
    J_ROOT,  // hips; moves the whole figure
    J_TORSO,
    J_HEAD,
    J_ARM_L,
    J_FOREARM_L,
    J_ARM_R,
    J_FOREARM_R,
    J_THIGH_L,
    J_SHIN_L,
    J_THIGH_R,
    J_SHIN_R,
    J_TAIL,
    J_EAR_L,
    J_EAR_R,
    J_COUNT
};

enum RigType { RIG_BIPED, RIG_QUADRUPED, RIG_DROID };

enum Motion {
    M_STAND,  // breathing on the spot
    M_WALK,   // one full stride
    M_WAVE,
    M_POINT,
    M_NOD,
    M_LOOK,   // head turns left and right
    M_BOW,
    M_SHRUG,
    M_CLAP,
    M_BLESS,  // both arms held out
    M_SLASH,  // the right arm swings down and back
    M_SPIN,   // the head turns all the way round
    M_ROCK,   // the body leans back and forth
    M_WAG,    // tail and ears
    M_YAWN,   // head up
};

struct AnimationPlan {
    const char* name;  // frame names are this followed by 1, 2, ...
    int frames;
    Motion motion;
};

// How far the limbs swing while walking, in radians.
struct Gait {
    float stride = 0.45f;
    float armSwing = 0.45f;
    float knee = 0.7f;
    float twist = 0.08f;
};

struct Design {
    RigType rig = RIG_BIPED;
    V3 pivots[J_COUNT] = {};
    std::vector<Part> parts;
    std::vector<AnimationPlan> anims;
    Gait gait;
    Color background{0.5f, 0.5f, 0.5f};  // skin pixels no part uses
};

// Joint turns of one keyframe: Euler angles in radians, applied about z (swing forward),
// then x (out to the side), then y (twist); shift moves the whole figure.
struct Pose {
    V3 turn[J_COUNT] = {};
    V3 shift{0, 0, 0};
};

// The pose of keyframe k of n of a motion.
void poseFor(const Design& design, Motion motion, int k, int n, Pose& pose);

// Every mesh vertex moved by the pose; the figure is not yet put on the ground.
void posedPositions(const Design& design, const Mesh& mesh, const Pose& pose,
                    std::vector<V3>& out);

}  // namespace chargen
