// Checks of the pieces the model generator is built from: shapes and their winding, skin
// islands, joints, walking poses and the MD2 encoder.
// Depends on: GoogleTest and the generator's shape, rig, motion, skin and MD2 sources, which
// the asset test program compiles alongside.
#include <gtest/gtest.h>

#include <string>

#include <cmath>
#include <cstring>

#include "tools/assetgen/models/geometry.h"
#include "tools/assetgen/models/md2_writer.h"
#include "tools/assetgen/models/model.h"
#include "tools/assetgen/models/skin.h"

namespace test_model_builder {

const double PI = 3.14159265358979;

using chargen::Mesh;
using chargen::Part;
using chargen::V3;

chargen::Paint grey() { return [](const chargen::Sample&) { return Color{0.5f, 0.5f, 0.5f}; }; }

// Six times the signed volume seen from the mesh's own centre: negative when every
// outside runs clockwise.
double signedVolume(const Mesh& mesh)
{
    V3 c{0, 0, 0};
    for (const V3& p : mesh.positions) c = c + p * (1.0f / mesh.positions.size());
    double sum = 0.0;
    for (const chargen::MeshTri& t : mesh.tris) {
        V3 a = mesh.positions[t.v[0]] - c, b = mesh.positions[t.v[1]] - c, d = mesh.positions[t.v[2]] - c;
        sum += chargen::dot(a, chargen::cross(b, d));
    }
    return sum;
}

Mesh meshOf(Part part)
{
    part.innerX = 10;
    part.innerY = 20;
    part.innerW = 40;
    part.innerH = 30;
    Mesh mesh;
    chargen::appendPart(part, mesh);
    return mesh;
}

TEST(ModelShapes, ClosedShapesWindClockwiseSeenFromOutside)
{
    const struct {
        const char* name;
        Part part;
        double volume;  // of the exact shape, for a rough size check
    } shapes[] = {
        {"ball", chargen::makeBall(0, {1, 2, 3}, 0.5f, 1.0f, 0.25f, 12, 8, grey()), 4.0 / 3.0 * PI * 0.125},
        {"limb", chargen::makeLimb(0, {0, 1, 0}, {0.3f, 0, 0}, 0.1f, 0.05f, 8, grey()), 0.0},
        {"box", chargen::makeBox(0, {0, 0, 0}, 0.5f, 1.0f, 0.25f, grey()), 1.0},
        {"tilted box", chargen::makeBox(0, {0, 0, 0}, 0.5f, 1.0f, 0.25f, grey(), {1, 1, 0}, {0, 0, 1}), 1.0},
        {"ring", chargen::makeRing(0, {0, 0, 0}, 1.0f, 0.2f, 16, 8, grey()), 2.0 * PI * PI * 0.04},
    };
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.name);
        Mesh mesh = meshOf(s.part);
        double six = signedVolume(mesh);
        EXPECT_LT(six, 0.0);
        if (s.volume > 0.0) {
            EXPECT_NEAR(-six / 6.0, s.volume, 0.2 * s.volume);
        }
    }
}

TEST(ModelShapes, OpenShellsAreSeenFromBothSides)
{
    Part skirt = chargen::makeLathe(0, {0, 0, 0}, {{0.4f, 0}, {0.3f, 1}}, 10, 1.0f, 1.0f, grey());
    skirt.arc0 = -0.25f;
    skirt.arc1 = 0.25f;
    skirt.twoSided = true;
    Mesh mesh = meshOf(skirt);
    ASSERT_EQ(mesh.tris.size() % 2, 0u);
    for (size_t i = 0; i < mesh.tris.size(); i += 2) {
        const chargen::MeshTri& a = mesh.tris[i];
        const chargen::MeshTri& b = mesh.tris[i + 1];
        EXPECT_EQ(a.v[0], b.v[0]);
        EXPECT_EQ(a.v[1], b.v[2]);
        EXPECT_EQ(a.v[2], b.v[1]);
    }
    // An open shell covering the back stays behind its axis.
    for (const V3& p : mesh.positions) EXPECT_LE(p.x, 1e-5f);
}

TEST(ModelShapes, PainterAndMeshAgreeOnEveryVertex)
{
    Part ball = chargen::makeBallAlong(0, {0.2f, 1, 0}, {0, 0, 1}, {1, 0, 0}, 0.3f, 0.5f, 0.2f, 8, 6, grey());
    Mesh mesh = meshOf(ball);
    // A texture coordinate of a non-pole vertex names the spot the painter paints for it.
    for (const chargen::MeshTri& t : mesh.tris) {
        for (int j = 0; j < 3; ++j) {
            float u = (mesh.st[2 * t.t[j]] - 10) / 40.0f;
            float v = 1.0f - (mesh.st[2 * t.t[j] + 1] - 20) / 30.0f;
            chargen::Sample s = chargen::evalPart(ball, u, v);
            V3 d = s.pos - mesh.positions[t.v[j]];
            EXPECT_LT(chargen::length(d), 0.05f) << "u " << u << " v " << v;
        }
    }
    // The front of the part is at u = 0.5, its normal points out of it.
    chargen::Sample front = chargen::evalPart(ball, 0.5f, 0.5f);
    EXPECT_NEAR(front.pos.x, 0.5f, 1e-4f);
    EXPECT_GT(front.normal.x, 0.99f);
    EXPECT_GT(front.unit.x, 0.99f);
}

TEST(ModelShapes, TextureCoordinatesStayInTheIsland)
{
    Mesh mesh = meshOf(chargen::makeRing(0, {0, 0, 0}, 1.0f, 0.2f, 12, 6, grey()));
    for (size_t i = 0; i < mesh.st.size(); i += 2) {
        EXPECT_GE(mesh.st[i], 10);
        EXPECT_LE(mesh.st[i], 50);
        EXPECT_GE(mesh.st[i + 1], 20);
        EXPECT_LE(mesh.st[i + 1], 50);
    }
}

bool overlap(const Part& a, const Part& b)
{
    return a.islandX < b.islandX + b.islandW && b.islandX < a.islandX + a.islandW &&
           a.islandY < b.islandY + b.islandH && b.islandY < a.islandY + a.islandH;
}

TEST(SkinLayout, IslandsFitWithoutOverlapAndTheHeadKeepsItsBlock)
{
    chargen::Design d;
    for (int i = 0; i < 12; ++i)
        d.parts.push_back(chargen::makeLimb(0, {0, 0, 0}, {0, 0.3f + 0.05f * i, 0}, 0.08f, 0.06f, 6, grey()));
    Part head = chargen::makeBall(0, {0, 2, 0}, 0.1f, 0.1f, 0.1f, 12, 7, grey());
    head.head = true;
    d.parts.push_back(head);
    ASSERT_TRUE(chargen::layoutSkin(d));
    EXPECT_EQ(d.parts.back().islandX, 0);
    EXPECT_EQ(d.parts.back().islandY, 0);
    EXPECT_EQ(d.parts.back().islandW, chargen::HEAD_REGION_W);
    EXPECT_EQ(d.parts.back().islandH, chargen::HEAD_REGION_H);
    for (size_t i = 0; i < d.parts.size(); ++i) {
        const Part& p = d.parts[i];
        EXPECT_GE(p.islandX, 0);
        EXPECT_GE(p.islandY, 0);
        EXPECT_LE(p.islandX + p.islandW, chargen::SKIN_SIZE);
        EXPECT_LE(p.islandY + p.islandH, chargen::SKIN_SIZE);
        EXPECT_EQ(p.innerX, p.islandX + chargen::ISLAND_PAD);
        for (size_t j = i + 1; j < d.parts.size(); ++j) EXPECT_FALSE(overlap(p, d.parts[j])) << i << " " << j;
    }
}

TEST(SkinLayout, TooManyPartsAreRefused)
{
    chargen::Design d;
    for (int i = 0; i < 400; ++i)
        d.parts.push_back(chargen::makeBall(0, {0, 0, 0}, 0.5f, 0.5f, 0.5f, 8, 4, grey()));
    EXPECT_FALSE(chargen::layoutSkin(d));
}

TEST(SkinLayout, SkinIsLitFromAboveAndPaddingRepeatsTheBorder)
{
    chargen::Design d;
    d.background = {0, 0, 1};
    Part ball = chargen::makeBall(0, {0, 0, 0}, 1, 1, 1, 8, 6, [](const chargen::Sample&) {
        return Color{1, 1, 1};
    });
    ball.head = true;
    d.parts.push_back(ball);
    ASSERT_TRUE(chargen::layoutSkin(d));
    std::vector<uint8_t> rgb = chargen::paintSkin(d);
    ASSERT_EQ(rgb.size(), (size_t)3 * chargen::SKIN_SIZE * chargen::SKIN_SIZE);
    auto red = [&](int x, int y) { return rgb[3 * ((size_t)y * chargen::SKIN_SIZE + x)]; };
    const Part& p = d.parts[0];
    int midX = p.innerX + p.innerW / 2;
    // The top row of the island is the top of the ball, the bottom row its underside.
    EXPECT_GT(red(midX, p.innerY + 2), red(midX, p.innerY + p.innerH - 3));
    EXPECT_NEAR(red(midX, p.islandY), red(midX, p.innerY), 3);
    EXPECT_EQ(rgb[3 * ((size_t)200 * chargen::SKIN_SIZE + 200) + 2], 255);  // untouched background
}

TEST(Rig, JointsTurnAboutTheirPivotsAndCarryTheirChildren)
{
    chargen::Design d;
    d.pivots[chargen::J_ARM_R] = {0, 1, 0};
    d.pivots[chargen::J_FOREARM_R] = {0, 0.5f, 0};
    Mesh mesh;
    mesh.positions = {{0, 1, 0}, {0, 0.5f, 0}, {0, 0, 0}};
    mesh.joints = {chargen::J_ARM_R, chargen::J_ARM_R, chargen::J_FOREARM_R};
    chargen::Pose pose;
    pose.turn[chargen::J_ARM_R].z = (float)PI / 2;  // swing the arm forward to horizontal
    pose.shift = {0, 0, 2};
    std::vector<V3> out;
    chargen::posedPositions(d, mesh, pose, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NEAR(out[0].x, 0, 1e-5f);
    EXPECT_NEAR(out[0].y, 1, 1e-5f);
    EXPECT_NEAR(out[0].z, 2, 1e-5f);
    EXPECT_NEAR(out[1].x, 0.5f, 1e-5f);  // forward, not back
    EXPECT_NEAR(out[1].y, 1, 1e-5f);
    EXPECT_NEAR(out[2].x, 1, 1e-5f);     // the hand follows the arm
}

TEST(Motion, WalkIsACycleWithTheSidesHalfAStrideApart)
{
    chargen::Design d;
    for (chargen::RigType rig : {chargen::RIG_BIPED, chargen::RIG_QUADRUPED, chargen::RIG_DROID}) {
        d.rig = rig;
        const int n = 8;
        chargen::Pose first, wrapped, a, b;
        chargen::poseFor(d, chargen::M_WALK, 0, n, first);
        chargen::poseFor(d, chargen::M_WALK, n, n, wrapped);
        for (int j = 0; j < chargen::J_COUNT; ++j) EXPECT_NEAR(first.turn[j].z, wrapped.turn[j].z, 1e-5f);
        float swing = 0.0f;
        for (int k = 0; k < n; ++k) {
            chargen::poseFor(d, chargen::M_WALK, k, n, a);
            chargen::poseFor(d, chargen::M_WALK, (k + n / 2) % n, n, b);
            EXPECT_NEAR(a.turn[chargen::J_THIGH_L].z, b.turn[chargen::J_THIGH_R].z, 1e-5f);
            swing = std::max(swing, a.turn[chargen::J_THIGH_L].z);
        }
        EXPECT_NEAR(swing, d.gait.stride, 0.05f);
    }
}

chargen::Md2Content tetrahedron()
{
    chargen::Md2Content c;
    c.skinWidth = 64;
    c.skinHeight = 32;
    c.skinName = "textures/test.bmp";
    c.st = {0, 0, 64, 0, 0, 32, 64, 32};
    c.tris = {{{0, 2, 1}, {0, 2, 1}}, {{0, 1, 3}, {0, 1, 3}}, {{0, 3, 2}, {0, 3, 2}}, {{1, 2, 3}, {1, 2, 3}}};
    c.frames.push_back({"walk1", {{0, 0, 0}, {10, 0, 0}, {0, 20, 0}, {0, 0, 30}}});
    c.frames.push_back({"walk2", {{-5, 0, 0}, {10, 0, 0}, {0, 20, 0}, {0, 0, 30}}});
    return c;
}

int32_t at32(const std::vector<uint8_t>& b, size_t i)
{
    int32_t v;
    std::memcpy(&v, &b[i], 4);
    return v;
}

TEST(Md2Encoder, HeaderDescribesTheFileAndPositionsComeBackThroughTheAxisChange)
{
    chargen::Md2Content c = tetrahedron();
    std::vector<uint8_t> b = chargen::encodeMd2(c);
    ASSERT_GT(b.size(), 68u);
    EXPECT_EQ(std::memcmp(b.data(), "IDP2", 4), 0);
    EXPECT_EQ(at32(b, 4), 8);
    EXPECT_EQ(at32(b, 8), 64);
    EXPECT_EQ(at32(b, 12), 32);
    EXPECT_EQ(at32(b, 16), 40 + 4 * 4);
    EXPECT_EQ(at32(b, 40), 2);
    EXPECT_EQ(at32(b, 64), (int32_t)b.size());
    EXPECT_EQ(at32(b, 56) + 2 * at32(b, 16), (int32_t)b.size());
    EXPECT_STREQ((const char*)&b[at32(b, 44)], "textures/test.bmp");
    for (int f = 0; f < 2; ++f) {
        size_t frame = at32(b, 56) + (size_t)f * at32(b, 16);
        float scale[3], translate[3];
        std::memcpy(scale, &b[frame], 12);
        std::memcpy(translate, &b[frame + 12], 12);
        EXPECT_STREQ((const char*)&b[frame + 24], c.frames[f].name.c_str());
        for (int v = 0; v < 4; ++v) {
            const uint8_t* q = &b[frame + 40 + 4 * v];
            V3 want = c.frames[f].positions[v];
            EXPECT_NEAR(q[0] * scale[0] + translate[0], want.x, 0.5f * scale[0] + 1e-4f);
            EXPECT_NEAR(q[2] * scale[2] + translate[2], want.y, 0.5f * scale[2] + 1e-4f);
            EXPECT_NEAR(-(q[1] * scale[1] + translate[1]), want.z, 0.5f * scale[1] + 1e-4f);
        }
    }
}

TEST(Md2Encoder, ContentTheGameCannotReadIsRefused)
{
    chargen::Md2Content longName = tetrahedron();
    longName.frames[1].name = "averyverylongname";
    chargen::Md2Content badIndex = tetrahedron();
    badIndex.tris[2].v[1] = 4;
    chargen::Md2Content badTexture = tetrahedron();
    badTexture.tris[0].t[0] = -1;
    chargen::Md2Content ragged = tetrahedron();
    ragged.frames[1].positions.pop_back();
    chargen::Md2Content tooBig = tetrahedron();
    for (chargen::Md2Keyframe& f : tooBig.frames) f.positions.resize(2071, V3{0, 0, 0});
    // Each refusal says why on the console; the reasons are checked instead of printed.
    struct Case {
        const chargen::Md2Content* content;
        const char* reason;
    } cases[] = {{&longName, "frame name empty or too long"},
                 {&badIndex, "triangle index out of range"},
                 {&badTexture, "triangle index out of range"},
                 {&ragged, "frames differ in size"},
                 {&tooBig, "too many vertices for one frame"}};
    for (const Case& k : cases) {
        ::testing::internal::CaptureStderr();
        bool empty = chargen::encodeMd2(*k.content).empty();
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(empty) << k.reason;
        EXPECT_EQ(said, std::string("assetgen: cannot store model: ") + k.reason + "\n");
    }
    tooBig.frames[0].positions.resize(2070);
    tooBig.frames[1].positions.resize(2070);
    EXPECT_EQ(chargen::encodeMd2(tooBig).size(), 68u + 64 + 4 * 4 + 12 * 4 + 2 * (40 + 4 * 2070));
}

}  // namespace test_model_builder
