// The keyframe poses of every motion, for figures on two legs, on four legs and the droid.
// Depends on: model.h.
#include <cmath>

#include "tools/assetgen/models/model.h"

namespace chargen {

namespace {

const float PI = 3.14159265359f;

// Arms held a little away from the body, elbows a little bent.
const float ARM_REST_OUT = 0.1f;
const float ELBOW_REST = 0.15f;
const float KNEE_REST = 0.08f;

// Knee bend of a leg whose swing angle is amplitude * sin(phase): the knee folds while the
// leg travels forward and straightens while it carries the body.
float kneeFor(float phase, float knee)
{
    float forward = std::cos(phase);
    return -(KNEE_REST + knee * (forward > 0.0f ? forward * forward : 0.0f));
}

void bipedPose(const Design& d, Motion motion, float phase, float env, Pose& p)
{
    p.turn[J_ARM_L].x = ARM_REST_OUT;
    p.turn[J_ARM_R].x = -ARM_REST_OUT;
    p.turn[J_FOREARM_L].z = ELBOW_REST;
    p.turn[J_FOREARM_R].z = ELBOW_REST;
    p.turn[J_SHIN_L].z = -KNEE_REST;
    p.turn[J_SHIN_R].z = -KNEE_REST;
    float s = std::sin(phase);
    switch (motion) {
    case M_WALK: {
        const Gait& g = d.gait;
        p.turn[J_THIGH_L].z = g.stride * s;
        p.turn[J_THIGH_R].z = -g.stride * s;
        p.turn[J_SHIN_L].z = kneeFor(phase, g.knee);
        p.turn[J_SHIN_R].z = kneeFor(phase + PI, g.knee);
        p.turn[J_ARM_L].z = -g.armSwing * s;
        p.turn[J_ARM_R].z = g.armSwing * s;
        p.turn[J_FOREARM_L].z = ELBOW_REST + 0.25f * g.armSwing * (1.0f - s);
        p.turn[J_FOREARM_R].z = ELBOW_REST + 0.25f * g.armSwing * (1.0f + s);
        p.turn[J_TORSO].y = g.twist * s;
        p.turn[J_HEAD].y = -g.twist * s;
        p.turn[J_ROOT].z = -0.04f;
        p.turn[J_TAIL].y = 0.35f * s;
        p.turn[J_EAR_L].x = 0.12f * std::sin(2.0f * phase);
        p.turn[J_EAR_R].x = -0.12f * std::sin(2.0f * phase);
        break;
    }
    case M_WAVE:
        p.turn[J_ARM_R].x = -ARM_REST_OUT - 1.2f * env;
        p.turn[J_FOREARM_R].z = ELBOW_REST * (1.0f - env);
        p.turn[J_FOREARM_R].x = -1.3f * env + 0.35f * env * std::sin(2.0f * phase);
        p.turn[J_HEAD].x = -0.1f * env;
        break;
    case M_POINT:
        p.turn[J_ARM_R].z = 1.45f * env;
        p.turn[J_FOREARM_R].z = ELBOW_REST * (1.0f - env);
        p.turn[J_TORSO].y = -0.15f * env;
        break;
    case M_NOD:
        p.turn[J_HEAD].z = -0.3f * (0.5f - 0.5f * std::cos(2.0f * phase));
        break;
    case M_LOOK:
        p.turn[J_HEAD].y = 0.7f * s;
        p.turn[J_TORSO].y = 0.12f * s;
        break;
    case M_BOW:
        p.turn[J_TORSO].z = -0.45f * env;
        p.turn[J_HEAD].z = -0.15f * env;
        p.turn[J_ARM_L].z = 0.45f * env;
        p.turn[J_ARM_R].z = 0.45f * env;
        break;
    case M_SHRUG:
        p.turn[J_ARM_L].x = ARM_REST_OUT + 0.35f * env;
        p.turn[J_ARM_R].x = -ARM_REST_OUT - 0.35f * env;
        p.turn[J_FOREARM_L].z = ELBOW_REST + 1.1f * env;
        p.turn[J_FOREARM_R].z = ELBOW_REST + 1.1f * env;
        p.turn[J_HEAD].x = 0.15f * env;
        break;
    case M_CLAP: {
        float beat = 0.2f * env * std::fabs(std::sin(2.0f * phase));
        p.turn[J_ARM_L].z = 0.9f * env;
        p.turn[J_ARM_R].z = 0.9f * env;
        p.turn[J_ARM_L].y = -0.3f * env + beat;
        p.turn[J_ARM_R].y = 0.3f * env - beat;
        p.turn[J_FOREARM_L].z = ELBOW_REST + 0.6f * env;
        p.turn[J_FOREARM_R].z = ELBOW_REST + 0.6f * env;
        break;
    }
    case M_BLESS:
        p.turn[J_ARM_L].z = 0.9f * env;
        p.turn[J_ARM_R].z = 0.9f * env;
        p.turn[J_ARM_L].y = 0.5f * env;
        p.turn[J_ARM_R].y = -0.5f * env;
        p.turn[J_FOREARM_L].z = ELBOW_REST + 0.3f * env;
        p.turn[J_FOREARM_R].z = ELBOW_REST + 0.3f * env;
        p.turn[J_HEAD].z = 0.1f * env;
        break;
    case M_SLASH:
        p.turn[J_ARM_R].z = 0.2f + 0.55f * std::cos(phase);
        p.turn[J_FOREARM_R].z = 0.35f;
        p.turn[J_TORSO].y = -0.25f * std::cos(phase);
        p.turn[J_THIGH_L].z = 0.25f;
        p.turn[J_THIGH_R].z = -0.2f;
        break;
    case M_WAG:
        p.turn[J_TAIL].y = 0.6f * std::sin(2.0f * phase);
        p.turn[J_EAR_L].x = 0.25f * s;
        p.turn[J_EAR_R].x = -0.25f * s;
        break;
    default:  // M_STAND and whatever a figure on two legs does not do
        p.turn[J_TORSO].z = 0.025f * s;
        p.turn[J_HEAD].z = 0.03f * s;
        p.turn[J_ARM_L].x = ARM_REST_OUT + 0.04f * s;
        p.turn[J_ARM_R].x = -ARM_REST_OUT - 0.04f * s;
        p.turn[J_TAIL].y = 0.2f * s;
        p.turn[J_EAR_L].x = 0.08f * s;
        p.turn[J_EAR_R].x = -0.08f * s;
        break;
    }
}

void quadrupedPose(const Design& d, Motion motion, float phase, float env, Pose& p)
{
    float s = std::sin(phase);
    switch (motion) {
    case M_WALK: {
        // Diagonal pairs move together: front left with hind right.
        float a = d.gait.stride;
        p.turn[J_ARM_L].z = a * s;
        p.turn[J_THIGH_R].z = a * s;
        p.turn[J_ARM_R].z = -a * s;
        p.turn[J_THIGH_L].z = -a * s;
        p.turn[J_FOREARM_L].z = kneeFor(phase, d.gait.knee);
        p.turn[J_SHIN_R].z = kneeFor(phase, d.gait.knee);
        p.turn[J_FOREARM_R].z = kneeFor(phase + PI, d.gait.knee);
        p.turn[J_SHIN_L].z = kneeFor(phase + PI, d.gait.knee);
        p.turn[J_TAIL].y = 0.3f * s;
        p.turn[J_HEAD].z = 0.05f * std::sin(2.0f * phase);
        break;
    }
    case M_LOOK:
        p.turn[J_HEAD].y = 0.6f * s;
        break;
    case M_WAG:
        p.turn[J_TAIL].y = 0.6f * std::sin(2.0f * phase);
        p.turn[J_TAIL].z = 0.2f * env;
        p.turn[J_EAR_L].x = 0.2f * s;
        p.turn[J_EAR_R].x = -0.2f * s;
        break;
    case M_YAWN:
        p.turn[J_HEAD].z = 0.4f * env;
        p.turn[J_EAR_L].x = -0.2f * env;
        p.turn[J_EAR_R].x = 0.2f * env;
        break;
    default:
        p.turn[J_TORSO].z = 0.02f * s;
        p.turn[J_HEAD].z = 0.03f * s;
        p.turn[J_TAIL].y = 0.25f * s;
        break;
    }
}

void droidPose(const Design& d, Motion motion, float phase, float env, Pose& p)
{
    float s = std::sin(phase);
    switch (motion) {
    case M_WALK: {
        // Legs swing from the shoulders; the feet stay flat.
        float a = d.gait.stride;
        p.turn[J_THIGH_L].z = a * s;
        p.turn[J_THIGH_R].z = -a * s;
        p.turn[J_SHIN_L].z = -a * s;
        p.turn[J_SHIN_R].z = a * s;
        p.turn[J_TORSO].z = 0.06f * std::sin(2.0f * phase);
        p.turn[J_TORSO].x = 0.04f * s;
        p.turn[J_HEAD].y = 0.15f * s;
        break;
    }
    case M_SPIN:
        p.turn[J_HEAD].y = phase;
        break;
    case M_ROCK:
        p.turn[J_TORSO].z = 0.25f * env;
        p.turn[J_HEAD].y = 0.3f * s;
        break;
    default:
        p.turn[J_HEAD].y = 0.3f * s;
        break;
    }
}

}  // namespace

void poseFor(const Design& design, Motion motion, int k, int n, Pose& pose)
{
    pose = Pose();
    float phase = 2.0f * PI * k / (n > 0 ? n : 1);
    float env = 0.5f - 0.5f * std::cos(phase);  // 0 at the ends of the cycle, 1 halfway
    switch (design.rig) {
    case RIG_QUADRUPED: quadrupedPose(design, motion, phase, env, pose); break;
    case RIG_DROID: droidPose(design, motion, phase, env, pose); break;
    default: bipedPose(design, motion, phase, env, pose); break;
    }
}

}  // namespace chargen
