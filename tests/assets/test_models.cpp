// Checks of the generated passer-by models and skins: file structure, the animations the game
// derives from frame names, standing on the ground, facing +x, winding and skin layout.
// Depends on: GoogleTest, character_kinds.h, texture_table.h; reads KERB_DATA_DIR.
// The reader here is written for the checks, independently of the generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "characters/character_kinds.h"
#include "world/texture_table.h"

namespace test_models {

const int HEADER_BYTES = 68;
const int MAX_FRAME_BYTES = 8320;
const int FRAME_NAME_BYTES = 16;
const int SKIN_NAME_BYTES = 64;
const float GROUND_TOLERANCE = 0.1f;
// The head sits in the top left 128 x 64 block of every skin, its face in the middle half.
const int HEAD_BLOCK_W = 128;
const int HEAD_BLOCK_H = 64;

struct Vec {
    float x, y, z;
};

struct Md2File {
    std::vector<std::string> problems;  // empty when the file is sound
    int32_t h[17] = {};
    std::string skinName;
    std::vector<int16_t> st;    // s, t pairs
    std::vector<int16_t> tris;  // three vertex then three texture indices per triangle
    std::vector<std::string> names;
    std::vector<std::vector<Vec>> frames;  // decoded the way the game decodes them
    int skinWidth() const { return h[2]; }
    int skinHeight() const { return h[3]; }
    int triangleCount() const { return (int)tris.size() / 6; }
};

struct Animation {
    std::string name;
    int start, end;  // frames start .. end - 1
};

struct Bmp {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;
    uint32_t offset = 0, rowBytes = 0;
};

std::string dataDir()
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    return dir ? dir : "";
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int32_t le32(const std::vector<uint8_t>& b, uint64_t at)
{
    return (int32_t)((uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 |
                     (uint32_t)b[at + 3] << 24);
}

int16_t le16(const std::vector<uint8_t>& b, uint64_t at)
{
    return (int16_t)((uint16_t)b[at] | (uint16_t)b[at + 1] << 8);
}

float leFloat(const std::vector<uint8_t>& b, uint64_t at)
{
    uint32_t bits = (uint32_t)le32(b, at);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// A NUL-terminated name inside a fixed field, or "" with a problem noted.
std::string fixedName(const std::vector<uint8_t>& b, uint64_t at, int bytes, bool& terminated)
{
    std::string name;
    terminated = false;
    for (int i = 0; i < bytes; ++i) {
        if (b[at + i] == 0) {
            terminated = true;
            break;
        }
        name += (char)b[at + i];
    }
    return name;
}

Md2File parseMd2(const std::vector<uint8_t>& b)
{
    Md2File m;
    auto problem = [&](const std::string& what) { m.problems.push_back(what); };
    if (b.size() < (size_t)HEADER_BYTES) {
        problem("shorter than the header");
        return m;
    }
    for (int i = 0; i < 17; ++i) m.h[i] = le32(b, 4 * i);
    const int32_t frameSize = m.h[4], numSkins = m.h[5], numVerts = m.h[6], numSt = m.h[7],
                  numTris = m.h[8], numFrames = m.h[10];
    if (std::memcmp(b.data(), "IDP2", 4) != 0) problem("magic is not IDP2");
    if (m.h[1] != 8) problem("version is not 8");
    if (numSkins != 1) problem("not exactly one skin");
    if (numVerts <= 0 || numSt <= 0 || numTris <= 0 || numFrames <= 1) problem("a count is zero");
    if (frameSize != 40 + 4 * numVerts) problem("frame size does not match the vertex count");
    if (frameSize > MAX_FRAME_BYTES) problem("frame larger than the game's buffer");
    if (m.h[16] != (int32_t)b.size()) problem("end offset is not the file size");
    const struct {
        int offsetField;
        int64_t count, size;
        const char* name;
    } blocks[] = {{11, numSkins, SKIN_NAME_BYTES, "skins"},
                    {12, numSt, 4, "texture coordinates"},
                    {13, numTris, 12, "triangles"},
                    {14, numFrames, frameSize, "frames"}};
    for (const auto& s : blocks) {
        int64_t start = m.h[s.offsetField];
        if (start < HEADER_BYTES || s.count < 0 || s.size < 0 ||
            start + s.count * s.size > (int64_t)b.size())
            problem(std::string(s.name) + " reach outside the file");
    }
    if (!m.problems.empty()) return m;

    bool terminated;
    m.skinName = fixedName(b, m.h[11], SKIN_NAME_BYTES, terminated);
    if (!terminated) problem("skin name not terminated");
    for (int i = 0; i < 2 * numSt; ++i) m.st.push_back(le16(b, m.h[12] + 2 * (uint64_t)i));
    for (int i = 0; i < 6 * numTris; ++i) m.tris.push_back(le16(b, m.h[13] + 2 * (uint64_t)i));
    for (int t = 0; t < numTris; ++t) {
        for (int j = 0; j < 3; ++j) {
            int vi = m.tris[6 * t + j], ti = m.tris[6 * t + 3 + j];
            if (vi < 0 || vi >= numVerts) problem("vertex index out of range");
            if (ti < 0 || ti >= numSt) problem("texture index out of range");
        }
    }
    for (int i = 0; i < numSt; ++i) {
        if (m.st[2 * i] < 0 || m.st[2 * i] > m.skinWidth() || m.st[2 * i + 1] < 0 ||
            m.st[2 * i + 1] > m.skinHeight())
            problem("texture coordinate outside the skin");
    }
    for (int f = 0; f < numFrames; ++f) {
        uint64_t at = (uint64_t)m.h[14] + (uint64_t)f * frameSize;
        float scale[3], translate[3];
        for (int k = 0; k < 3; ++k) {
            scale[k] = leFloat(b, at + 4 * k);
            translate[k] = leFloat(b, at + 12 + 4 * k);
        }
        m.names.push_back(fixedName(b, at + 24, FRAME_NAME_BYTES, terminated));
        if (!terminated) problem("frame name not terminated within 16 bytes");
        std::vector<Vec> verts;
        for (int v = 0; v < numVerts; ++v) {
            const uint8_t* q = &b[at + 40 + 4 * (uint64_t)v];
            // The game's axis change: file x stays, file z is up, file y points to -z.
            verts.push_back({q[0] * scale[0] + translate[0], q[2] * scale[2] + translate[2],
                             -(q[1] * scale[1] + translate[1])});
        }
        m.frames.push_back(verts);
    }
    return m;
}

// The game's reading of frame names: a digit among the last two characters starts the
// frame number; each change of the remaining name closes one animation, and so does the
// last frame, which itself belongs to none.
std::vector<Animation> deriveAnimations(const std::vector<std::string>& names)
{
    std::vector<Animation> out;
    std::string last;
    Animation current{"", 0, 0};
    for (size_t i = 0; i < names.size(); ++i) {
        std::string base = names[i];
        int number = 0;
        for (size_t c = 0; c < base.size(); ++c) {
            if (std::isdigit((unsigned char)base[c]) && c + 2 >= base.size()) {
                size_t e = c;
                while (e < base.size() && std::isdigit((unsigned char)base[e])) number = number * 10 + (base[e++] - '0');
                base = base.substr(0, c);
                break;
            }
        }
        if (base != last || i + 1 == names.size()) {
            if (!last.empty()) {
                current.name = last;
                current.end = (int)i;
                out.push_back(current);
                current = {"", 0, 0};
            }
            current.start = number + (int)i - 1;
        }
        last = base;
    }
    return out;
}

Bmp readBmp(const std::string& path)
{
    Bmp bmp;
    bmp.bytes = readFile(path);
    const std::vector<uint8_t>& b = bmp.bytes;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return bmp;
    bmp.offset = (uint32_t)le32(b, 10);
    bmp.width = le32(b, 18);
    bmp.height = le32(b, 22);
    int bits = le16(b, 28);
    if (bits != 24 || le32(b, 30) != 0 || bmp.width <= 0 || bmp.height <= 0) return bmp;
    bmp.rowBytes = ((uint32_t)bmp.width * 3 + 3) & ~3u;
    bmp.ok = (uint64_t)bmp.offset + (uint64_t)bmp.rowBytes * bmp.height <= b.size();
    return bmp;
}

// RGB of the pixel x, y counted from the top left, as the texture coordinates count.
void pixelAt(const Bmp& bmp, int x, int y, uint8_t rgb[3])
{
    const uint8_t* p = &bmp.bytes[bmp.offset + (uint64_t)(bmp.height - 1 - y) * bmp.rowBytes + 3 * (uint64_t)x];
    rgb[0] = p[2];
    rgb[1] = p[1];
    rgb[2] = p[0];
}

bool powerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

struct Loaded {
    const CharacterKind* kind;
    Md2File model;
    std::vector<Animation> anims;
};

// Every kind's model, read once for all the tests.
const std::vector<Loaded>& allModels()
{
    static std::vector<Loaded> models;
    if (models.empty()) {
        for (const CharacterKind& kind : characterKinds) {
            Loaded l{&kind, parseMd2(readFile(dataDir() + "/" + kind.modelFile)), {}};
            l.anims = deriveAnimations(l.model.names);
            models.push_back(l);
        }
    }
    return models;
}

float worldY(const CharacterKind& kind, float modelY) { return kind.height + kind.scale * modelY; }

const Animation* walkOf(const Loaded& l)
{
    if (l.kind->animationIndex < 0 || l.kind->animationIndex >= (int)l.anims.size()) return nullptr;
    return &l.anims[l.kind->animationIndex];
}

TEST(AnimationNames, RunsOfNamesBecomeAnimationsAndTheLastFrameIsLeftOut)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 40; ++i) names.push_back(std::string("stand") + (i < 10 ? "0" : "") + std::to_string(i));
    for (int i = 1; i <= 6; ++i) names.push_back("run" + std::to_string(i));
    std::vector<Animation> anims = deriveAnimations(names);
    ASSERT_EQ(anims.size(), 2u);
    EXPECT_EQ(anims[0].name, "stand");
    EXPECT_EQ(anims[0].start, 0);
    EXPECT_EQ(anims[0].end, 40);
    EXPECT_EQ(anims[1].name, "run");
    EXPECT_EQ(anims[1].start, 40);
    EXPECT_EQ(anims[1].end, 45);
    EXPECT_EQ(deriveAnimations({"pain100", "pain101"})[0].name, "pain1");
}

TEST(CharacterModels, EveryFileIsAWellFormedMd2)
{
    ASSERT_FALSE(dataDir().empty()) << "KERB_DATA_DIR is not set";
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        EXPECT_TRUE(l.model.problems.empty()) << l.model.problems.front();
        if (!l.model.problems.empty()) continue;
        const char* skinPath = texturePathForSlot(l.kind->textureSlot);
        ASSERT_NE(skinPath, nullptr);
        EXPECT_EQ(l.model.skinName, skinPath);
        int degenerate = 0;
        for (int t = 0; t < l.model.triangleCount(); ++t) {
            const int16_t* v = &l.model.tris[6 * t];
            degenerate += (v[0] == v[1] || v[1] == v[2] || v[0] == v[2]) ? 1 : 0;
        }
        EXPECT_EQ(degenerate, 0);
        EXPECT_GE(l.model.triangleCount(), 200);
        EXPECT_LE(l.model.triangleCount(), 1200);
    }
}

TEST(CharacterModels, TheKindsAnimationIsAWalkOfSixToTwelveKeyframes)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        ASSERT_TRUE(l.model.problems.empty());
        EXPECT_GT((int)l.anims.size(), l.kind->animationIndex);
        for (const Animation& a : l.anims) {
            EXPECT_GE(a.start, 0);
            EXPECT_LT(a.end - a.start, 100) << a.name;
            EXPECT_GE(a.end - a.start, 2) << a.name;
        }
        const Animation* walk = walkOf(l);
        ASSERT_NE(walk, nullptr);
        EXPECT_EQ(walk->name, "walk");
        EXPECT_GE(walk->end - walk->start, 6);
        EXPECT_LE(walk->end - walk->start, 12);
    }
}

TEST(CharacterModels, WalkSwingsTheFeetThroughOneStrideAndBack)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        const Animation* walk = walkOf(l);
        ASSERT_NE(walk, nullptr);
        const auto& frames = l.model.frames;
        // Follow the vertex that is lowest in the first keyframe: a point of a sole.
        const std::vector<Vec>& first = frames[walk->start];
        size_t foot = 0;
        for (size_t v = 1; v < first.size(); ++v)
            if (first[v].y < first[foot].y) foot = v;
        float lo = first[foot].x, hi = lo, bodyHeight = 0.0f;
        for (const Vec& v : first) bodyHeight = std::max(bodyHeight, v.y - first[foot].y);
        float longestStep = 0.0f, worstJump = 0.0f, typicalJump = 0.0f;
        int n = walk->end - walk->start;
        for (int k = 0; k < n; ++k) {
            const std::vector<Vec>& a = frames[walk->start + k];
            const std::vector<Vec>& b = frames[walk->start + (k + 1) % n];
            lo = std::min(lo, a[foot].x);
            hi = std::max(hi, a[foot].x);
            longestStep = std::max(longestStep, std::fabs(b[foot].x - a[foot].x));
            // The largest move of any vertex between neighbouring keyframes.
            float jump = 0.0f;
            for (size_t v = 0; v < a.size(); ++v) {
                float dx = b[v].x - a[v].x, dy = b[v].y - a[v].y, dz = b[v].z - a[v].z;
                jump = std::max(jump, std::sqrt(dx * dx + dy * dy + dz * dz));
            }
            if (k + 1 < n) typicalJump = std::max(typicalJump, jump);
            else worstJump = jump;
        }
        float range = hi - lo;
        const std::vector<Vec>& last = frames[walk->end - 1];
        EXPECT_GT(range, 0.05f * bodyHeight) << "the feet hardly move";
        EXPECT_LT(std::fabs(last[foot].x - first[foot].x), 0.5f * range) << "the cycle does not close";
        EXPECT_LT(longestStep, 0.6f * range) << "the foot jumps between keyframes";
        EXPECT_LT(worstJump, 1.5f * typicalJump) << "the last keyframe does not lead into the first";
        EXPECT_LT(typicalJump, 0.3f * bodyHeight);
    }
}

TEST(CharacterModels, StandOnTheGroundBelowTheMarkerInEveryFrame)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        const CharacterKind& kind = *l.kind;
        for (size_t f = 0; f < l.model.frames.size(); ++f) {
            float lo = 1e9f, hi = -1e9f;
            for (const Vec& v : l.model.frames[f]) {
                lo = std::min(lo, worldY(kind, v.y));
                hi = std::max(hi, worldY(kind, v.y));
            }
            EXPECT_NEAR(lo, 0.0f, GROUND_TOLERANCE) << l.model.names[f];
            EXPECT_LT(hi, kind.markerHeight) << l.model.names[f];
            // The cone should float just over the head, not far above it.
            EXPECT_GT(hi, kind.markerHeight - 0.45f) << l.model.names[f];
        }
    }
}

TEST(CharacterModels, FaceLooksTowardsPositiveX)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        const Md2File& m = l.model;
        const std::vector<Vec>& pose = m.frames[0];
        Vec face{0, 0, 0}, back{0, 0, 0};
        int faceCount = 0, backCount = 0;
        float meanX = 0.0f;
        for (const Vec& v : pose) meanX += v.x / pose.size();
        for (int t = 0; t < m.triangleCount(); ++t) {
            bool inFace = true, inBack = true;
            for (int j = 0; j < 3; ++j) {
                int ti = m.tris[6 * t + 3 + j];
                int s = m.st[2 * ti], tt = m.st[2 * ti + 1];
                bool head = tt < HEAD_BLOCK_H && s < HEAD_BLOCK_W;
                inFace = inFace && head && s >= HEAD_BLOCK_W / 4 && s < 3 * HEAD_BLOCK_W / 4;
                inBack = inBack && head && (s < HEAD_BLOCK_W / 4 || s >= 3 * HEAD_BLOCK_W / 4);
            }
            for (int j = 0; j < 3 && (inFace || inBack); ++j) {
                const Vec& v = pose[m.tris[6 * t + j]];
                Vec& sum = inFace ? face : back;
                sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
                (inFace ? faceCount : backCount)++;
            }
        }
        ASSERT_GT(faceCount, 0);
        ASSERT_GT(backCount, 0);
        float fx = face.x / faceCount, bx = back.x / backCount;
        float fz = face.z / faceCount, bz = back.z / backCount;
        EXPECT_GT(fx - bx, 2.0f * std::fabs(fz - bz)) << "the face does not point along x";
        EXPECT_GT(fx, bx);
        EXPECT_GT(fx, meanX) << "the face is behind the middle of the figure";
    }
}

// Seen from outside, the game's front faces run counter-clockwise and are culled, so the
// visible outside must run clockwise: the signed volume of the mesh comes out negative.
TEST(CharacterModels, OutsidesWindClockwise)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        const Md2File& m = l.model;
        const std::vector<Vec>& pose = m.frames[0];
        Vec lo = pose[0], hi = pose[0];
        for (const Vec& v : pose) {
            lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
            hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
        }
        Vec c{0.5f * (lo.x + hi.x), 0.5f * (lo.y + hi.y), 0.5f * (lo.z + hi.z)};
        double volume = 0.0;
        for (int t = 0; t < m.triangleCount(); ++t) {
            const Vec& a = pose[m.tris[6 * t]];
            const Vec& b = pose[m.tris[6 * t + 1]];
            const Vec& d = pose[m.tris[6 * t + 2]];
            double ax = a.x - c.x, ay = a.y - c.y, az = a.z - c.z;
            double bx = b.x - c.x, by = b.y - c.y, bz = b.z - c.z;
            double dx = d.x - c.x, dy = d.y - c.y, dz = d.z - c.z;
            volume += (ax * (by * dz - bz * dy) - ay * (bx * dz - bz * dx) + az * (bx * dy - by * dx)) / 6.0;
        }
        double box = (double)(hi.x - lo.x) * (hi.y - lo.y) * (hi.z - lo.z);
        EXPECT_LT(volume, -0.03 * box);
    }
}

TEST(CharacterSkins, EachSkinMatchesItsModelAndIsPaintedWhereTheModelLooks)
{
    for (const Loaded& l : allModels()) {
        SCOPED_TRACE(l.kind->modelFile);
        const Md2File& m = l.model;
        ASSERT_TRUE(m.problems.empty());
        const char* path = texturePathForSlot(l.kind->textureSlot);
        ASSERT_NE(path, nullptr);
        Bmp bmp = readBmp(dataDir() + "/" + path);
        ASSERT_TRUE(bmp.ok) << path << " is not a readable 24-bit picture";
        EXPECT_EQ(bmp.width, m.skinWidth());
        EXPECT_EQ(bmp.height, m.skinHeight());
        EXPECT_TRUE(powerOfTwo(bmp.width) && powerOfTwo(bmp.height));
        // The middle of every triangle in the skin: the unused grey must never show there.
        int onGrey = 0;
        for (int t = 0; t < m.triangleCount(); ++t) {
            float s = 0, tt = 0;
            for (int j = 0; j < 3; ++j) {
                int ti = m.tris[6 * t + 3 + j];
                s += m.st[2 * ti] / 3.0f;
                tt += m.st[2 * ti + 1] / 3.0f;
            }
            uint8_t rgb[3];
            pixelAt(bmp, std::min((int)s, bmp.width - 1), std::min((int)tt, bmp.height - 1), rgb);
            onGrey += (rgb[0] == 128 && rgb[1] == 128 && rgb[2] == 128) ? 1 : 0;
        }
        EXPECT_EQ(onGrey, 0);
    }
}

TEST(CharacterModels, EveryKindHasItsOwnShape)
{
    const std::vector<Loaded>& models = allModels();
    for (size_t a = 0; a < models.size(); ++a) {
        for (size_t b = a + 1; b < models.size(); ++b) {
            const Md2File& ma = models[a].model;
            const Md2File& mb = models[b].model;
            bool same = ma.frames.size() == mb.frames.size() && ma.tris == mb.tris;
            EXPECT_FALSE(same) << models[a].kind->name << " and " << models[b].kind->name;
        }
    }
}

}  // namespace test_models
