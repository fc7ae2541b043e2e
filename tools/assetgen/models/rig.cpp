// Moving a figure's vertices by the turns of its joints.
// Depends on: model.h.
#include <cmath>

#include "tools/assetgen/models/model.h"

namespace chargen {

namespace {

// Parent of every joint; parents come before their children.
const int jointParent[J_COUNT] = {
    -1,         // J_ROOT
    J_ROOT,     // J_TORSO
    J_TORSO,    // J_HEAD
    J_TORSO,    // J_ARM_L
    J_ARM_L,    // J_FOREARM_L
    J_TORSO,    // J_ARM_R
    J_ARM_R,    // J_FOREARM_R
    J_ROOT,     // J_THIGH_L
    J_THIGH_L,  // J_SHIN_L
    J_ROOT,     // J_THIGH_R
    J_THIGH_R,  // J_SHIN_R
    J_ROOT,     // J_TAIL
    J_HEAD,     // J_EAR_L
    J_HEAD,     // J_EAR_R
};

struct Affine {
    float m[3][3];
    V3 t;
};

V3 apply3(const float m[3][3], V3 p)
{
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

void multiply3(const float a[3][3], const float b[3][3], float out[3][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
}

// Turn about z first, then x, then y.
void eulerMatrix(V3 turn, float out[3][3])
{
    float cx = std::cos(turn.x), sx = std::sin(turn.x);
    float cy = std::cos(turn.y), sy = std::sin(turn.y);
    float cz = std::cos(turn.z), sz = std::sin(turn.z);
    float rx[3][3] = {{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}};
    float ry[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
    float rz[3][3] = {{cz, -sz, 0}, {sz, cz, 0}, {0, 0, 1}};
    float yx[3][3];
    multiply3(ry, rx, yx);
    multiply3(yx, rz, out);
}

}  // namespace

void posedPositions(const Design& design, const Mesh& mesh, const Pose& pose,
                    std::vector<V3>& out)
{
    Affine world[J_COUNT];
    for (int j = 0; j < J_COUNT; ++j) {
        float turn[3][3];
        eulerMatrix(pose.turn[j], turn);
        V3 pivot = design.pivots[j];
        // About the pivot: p -> turn * (p - pivot) + pivot
        Affine local;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) local.m[r][c] = turn[r][c];
        local.t = pivot - apply3(turn, pivot);
        int parent = jointParent[j];
        if (parent < 0) {
            world[j] = local;
            world[j].t = world[j].t + pose.shift;
        } else {
            multiply3(world[parent].m, local.m, world[j].m);
            world[j].t = apply3(world[parent].m, local.t) + world[parent].t;
        }
    }
    out.resize(mesh.positions.size());
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        const Affine& a = world[mesh.joints[i]];
        out[i] = apply3(a.m, mesh.positions[i]) + a.t;
    }
}

}  // namespace chargen
