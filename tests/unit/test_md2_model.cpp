// MD2 models: frame names to animations, the axis change, texture coordinates, repeated
// loads, and every way a damaged file is refused, all from files built in memory.
#include "characters/md2_model.h"

#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace test_md2_model {

using Bytes = std::vector<uint8_t>;

// ---- Files built in memory -------------------------------------------------------------

// Header fields by their index among the seventeen integers.
enum Field {
    MAGIC, VERSION, SKIN_WIDTH, SKIN_HEIGHT, FRAME_SIZE, NUM_SKINS, NUM_VERTICES,
    NUM_TEXCOORDS, NUM_TRIANGLES, NUM_GL_COMMANDS, NUM_FRAMES, OFFSET_SKINS, OFFSET_TEXCOORDS,
    OFFSET_TRIANGLES, OFFSET_FRAMES, OFFSET_GL_COMMANDS, OFFSET_END
};

void put16(Bytes& b, int v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& b, uint32_t v) { put16(b, int(v & 0xFFFF)), put16(b, int(v >> 16)); }
void putFloat(Bytes& b, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put32(b, bits);
}

int32_t field(const Bytes& b, Field f)
{
    return (int32_t)(b[4 * f] | b[4 * f + 1] << 8 | b[4 * f + 2] << 16 | (uint32_t)b[4 * f + 3] << 24);
}
void setField(Bytes& b, Field f, int32_t v)
{
    for (int i = 0; i < 4; ++i) b[4 * f + i] = uint8_t((uint32_t)v >> (8 * i));
}
void set16(Bytes& b, size_t at, int v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); }

// A small valid model: three vertices, one triangle, two frames named stand01 and stand02.
// Vertex j of frame f is vertices[j] with f added to X.
struct Md2Source {
    int32_t magic = 0x32504449, skinWidth = 64, skinHeight = 32;
    int skins = 1;
    std::vector<std::string> frameNames = {"stand01", "stand02"};
    std::vector<std::array<uint8_t, 3>> vertices = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
    float scale[3] = {1, 1, 1}, translate[3] = {0, 0, 0};
    std::vector<int16_t> st = {0, 0, 64, 0, 0, 32};
    std::vector<int16_t> triangles = {0, 1, 2, 0, 1, 2};
    int framePadding = 0;
};

Bytes build(const Md2Source& m)
{
    int32_t frameSize = 40 + 4 * (int32_t)m.vertices.size() + m.framePadding;
    int32_t offSkins = 68, offSt = offSkins + 64 * m.skins;
    int32_t offTris = offSt + 2 * (int32_t)m.st.size();
    int32_t offFrames = offTris + 2 * (int32_t)m.triangles.size();
    int32_t end = offFrames + frameSize * (int32_t)m.frameNames.size();
    Bytes b;
    for (int32_t v : {m.magic, 8, m.skinWidth, m.skinHeight, frameSize, m.skins,
                      (int32_t)m.vertices.size(), (int32_t)m.st.size() / 2,
                      (int32_t)m.triangles.size() / 6, 0, (int32_t)m.frameNames.size(), offSkins,
                      offSt, offTris, offFrames, end, end})
        put32(b, (uint32_t)v);
    for (int s = 0; s < m.skins; ++s) {
        std::string name = "skins/skin" + std::to_string(s) + ".pcx";
        name.resize(64, '\0');
        b.insert(b.end(), name.begin(), name.end());
    }
    for (int16_t v : m.st) put16(b, v);
    for (int16_t v : m.triangles) put16(b, v);
    for (size_t f = 0; f < m.frameNames.size(); ++f) {
        for (float v : m.scale) putFloat(b, v);
        for (float v : m.translate) putFloat(b, v);
        std::string name = m.frameNames[f];
        name.resize(16, '\0');  // a name of 16 characters keeps no NUL
        b.insert(b.end(), name.begin(), name.end());
        for (const auto& v : m.vertices) b.insert(b.end(), {uint8_t(v[0] + f), v[1], v[2], 0});
        b.resize(b.size() + (size_t)m.framePadding, 0xAB);
    }
    return b;
}

// ---- Comparing models ------------------------------------------------------------------

bool sameVector(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

bool sameModel(const Md2Model& a, const Md2Model& b)
{
    if (a.frameCount != b.frameCount || a.animationCount != b.animationCount ||
        a.animations.size() != b.animations.size() || a.frames.size() != b.frames.size())
        return false;
    for (size_t i = 0; i < a.animations.size(); ++i)
        if (std::strcmp(a.animations[i].name, b.animations[i].name) != 0 ||
            a.animations[i].startFrame != b.animations[i].startFrame ||
            a.animations[i].endFrame != b.animations[i].endFrame)
            return false;
    for (size_t i = 0; i < a.frames.size(); ++i) {
        const Md2Frame &fa = a.frames[i], &fb = b.frames[i];
        if (fa.vertexCount != fb.vertexCount || fa.faceCount != fb.faceCount ||
            fa.texCoordCount != fb.texCoordCount || fa.vertices.size() != fb.vertices.size() ||
            fa.texCoords.size() != fb.texCoords.size() || fa.faces.size() != fb.faces.size())
            return false;
        for (size_t k = 0; k < fa.vertices.size(); ++k)
            if (!sameVector(fa.vertices[k], fb.vertices[k])) return false;
        for (size_t k = 0; k < fa.texCoords.size(); ++k)
            if (fa.texCoords[k].u != fb.texCoords[k].u || fa.texCoords[k].v != fb.texCoords[k].v)
                return false;
        if (!fa.faces.empty() &&
            std::memcmp(fa.faces.data(), fb.faces.data(), fa.faces.size() * sizeof(Md2Face)) != 0)
            return false;
    }
    return true;
}

struct Animation {
    std::string name;
    int start, end;
    bool operator==(const Animation& o) const
    {
        return name == o.name && start == o.start && end == o.end;
    }
};

std::ostream& operator<<(std::ostream& out, const Animation& a)
{
    return out << a.name << " " << a.start << ".." << a.end;
}

std::vector<Animation> animationsOf(const Md2Model& model)
{
    std::vector<Animation> list;
    for (const Md2Animation& a : model.animations) list.push_back({a.name, a.startFrame, a.endFrame});
    EXPECT_EQ(model.animationCount, (int)list.size());
    return list;
}

Md2Model decoded(const Bytes& file)
{
    Md2Loader loader;
    Md2Model model{};
    const char* reason = loader.decode(file.data(), file.size(), model);
    EXPECT_EQ(reason, nullptr) << reason;
    return model;
}

std::vector<std::string> numbered(const std::string& base, int first, int last, int width)
{
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) {
        std::string digits = std::to_string(i);
        names.push_back(base + std::string(width > (int)digits.size() ? width - digits.size() : 0, '0') + digits);
    }
    return names;
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- Frame names to animations ---------------------------------------------------------

TEST(Md2Animations, DerivedFromTheFrameNames)
{
    const struct {
        const char* what;
        std::vector<std::string> names;
        std::vector<Animation> expected;
    } cases[] = {
        {"stand01..stand40, run1..run6: the last frame plays in neither",
         joined(numbered("stand", 1, 40, 2), numbered("run", 1, 6, 1)),
         {{"stand", 0, 40}, {"run", 40, 45}}},
        {"numbered from 0: one less",
         joined(numbered("walk", 0, 3, 1), numbered("jump", 0, 2, 1)),
         {{"walk", -1, 4}, {"jump", 3, 6}}},
        {"pain100: the number starts at the 0 among the last two",
         {"pain100", "pain101", "pain102", "death1", "death2"},
         {{"pain1", -1, 3}, {"death", 3, 4}}},
        {"three digits and an underscore",
         {"run001", "run002", "run003", "crouch_stand1", "crouch_stand2", "a"},
         {{"run0", 0, 3}, {"crouch_stand", 3, 5}}},
        {"one-character names have no number", {"a", "a", "b"}, {{"a", -1, 2}}},
        {"not even a digit", {"7", "7", "8"}, {{"7", -1, 2}}},
        {"a single frame gives nothing", {"stand01"}, {}},
        {"no frames give nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Md2Model model{};
        model.frameCount = (int32_t)c.names.size();
        deriveAnimations(model, c.names);
        EXPECT_EQ(animationsOf(model), c.expected);
    }
}

TEST(Md2Animations, TheFortySixFrameFileThroughTheDecoder)
{
    Md2Source m;
    m.frameNames = joined(numbered("stand", 1, 40, 2), numbered("run", 1, 6, 1));
    Md2Model model = decoded(build(m));
    EXPECT_EQ(model.frameCount, 46);
    EXPECT_EQ(animationsOf(model), (std::vector<Animation>{{"stand", 0, 40}, {"run", 40, 45}}));
}

TEST(Md2Animations, ANameOfSixteenBytesWithoutNulStaysWithinThem)
{
    Md2Source m;
    m.frameNames = {"abcdefghijklmnop", "abcdefghijklmnop", "end"};
    m.vertices = {{'Z', 'Z', 'Z'}};  // the bytes right after the name
    m.triangles = {0, 0, 0, 0, 1, 2};
    Bytes file = build(m);
    Md2Loader loader;
    ASSERT_STREQ(loader.readSections(file.data(), file.size()), nullptr);
    EXPECT_STREQ(loader.rawFrames()[0].name, "abcdefghijklmnop");
    Md2Model model{};
    loader.buildFrames(model);
    loader.releaseRaw();
    EXPECT_EQ(animationsOf(model), (std::vector<Animation>{{"abcdefghijklmnop", -1, 2}}));
}

// ---- Positions and texture coordinates -------------------------------------------------

TEST(Md2Decode, TheFileSecondAxisBecomesMinusZAndTheThirdBecomesUp)
{
    Md2Source m;
    m.frameNames = {"a"};
    m.vertices = {{0, 10, 0}, {0, 0, 10}, {2, 3, 4}};
    Md2Model model = decoded(build(m));
    ASSERT_EQ(model.frames.size(), 1u);
    const std::vector<Vector3>& v = model.frames[0].vertices;
    EXPECT_TRUE(sameVector(v[0], Vector3(0, 0, -10)));
    EXPECT_TRUE(sameVector(v[1], Vector3(0, 10, 0)));

    m.scale[0] = 0.5f, m.scale[1] = 2, m.scale[2] = 3;
    m.translate[0] = 1, m.translate[1] = -1, m.translate[2] = 10;
    Md2Model scaled = decoded(build(m));
    // x = X sx + tx, y = Z sz + tz, z = -(Y sy + ty)
    EXPECT_TRUE(sameVector(scaled.frames[0].vertices[2], Vector3(2, 22, -5)));
}

TEST(Md2Decode, FrameZeroHoldsTextureCoordinatesAndFacesTheOthersNone)
{
    Md2Source m;
    m.st = {0, 0, 64, 32, -32, 8};
    m.triangles = {2, 1, 0, 1, 2, 0};
    m.framePadding = 6;  // a record longer than its vertices is read past its padding
    Md2Model model = decoded(build(m));
    ASSERT_EQ(model.frames.size(), 2u);
    const Md2Frame& first = model.frames[0];
    ASSERT_EQ(first.texCoords.size(), 3u);
    // u = s / width; v = 1 - t / height: t = 0 is the top, t = height the bottom.
    EXPECT_EQ(first.texCoords[0].u, 0.0f);
    EXPECT_EQ(first.texCoords[0].v, 1.0f);
    EXPECT_EQ(first.texCoords[1].u, 1.0f);
    EXPECT_EQ(first.texCoords[1].v, 0.0f);
    EXPECT_EQ(first.texCoords[2].u, -0.5f);
    EXPECT_EQ(first.texCoords[2].v, 0.75f);
    ASSERT_EQ(first.faces.size(), 1u);
    EXPECT_EQ(first.faces[0].vertexIndex[0], 2);
    EXPECT_EQ(first.faces[0].texCoordIndex[2], 0);
    EXPECT_EQ(first.faceCount, 1);
    EXPECT_EQ(first.texCoordCount, 3);

    const Md2Frame& second = model.frames[1];
    EXPECT_TRUE(second.texCoords.empty());
    EXPECT_TRUE(second.faces.empty());
    EXPECT_EQ(second.vertexCount, 3);
    EXPECT_EQ(second.faceCount, 1);
    EXPECT_EQ(second.vertices[1].x, 11.0f);  // frames in file order
}

TEST(Md2Decode, AnyMagicAnySkinsAndAFreshModelState)
{
    for (int32_t magic : {0, -1, 0x32504449}) {
        for (int skins : {0, 3}) {
            SCOPED_TRACE(testing::Message() << "magic " << magic << ", skins " << skins);
            Md2Source m;
            m.magic = magic, m.skins = skins, m.skinWidth = 1000, m.skinHeight = 3;
            Bytes file = build(m);
            Md2Loader loader;
            Md2Model model{};
            model.currentFrame = 5, model.animClockStarted = true, model.drawMesh().built = true;
            ASSERT_EQ(loader.decode(file.data(), file.size(), model), nullptr);
            EXPECT_EQ(model.frameCount, 2);
            EXPECT_EQ(model.currentFrame, 0);
            EXPECT_FALSE(model.animClockStarted);
            EXPECT_FALSE(model.drawMesh().built);
            EXPECT_TRUE(loader.rawFrames().empty());
        }
    }
}

TEST(Md2Decode, FourDecodesThroughOneLoaderGiveEqualIndependentModels)
{
    Md2Source m;
    m.frameNames = joined(numbered("stand", 1, 3, 2), numbered("run", 1, 3, 1));
    Bytes file = build(m);
    Md2Loader loader;
    Md2Model models[4] = {};
    for (Md2Model& model : models) ASSERT_EQ(loader.decode(file.data(), file.size(), model), nullptr);
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(sameModel(models[0], models[i])) << i;

    models[0].frames.edit()[1].vertices[0].x = 99;
    models[0].frames.edit()[0].texCoords[0].u = 99;
    models[0].animations[0].endFrame = 99;
    EXPECT_FALSE(sameModel(models[0], models[1]));
    for (int i = 2; i < 4; ++i) EXPECT_TRUE(sameModel(models[1], models[i])) << i;
    EXPECT_EQ(models[1].frames[1].vertices[0].x, 1.0f);

    // A copied model shares the keyframes until one of the two edits them.
    Md2Model copy = models[1];
    EXPECT_TRUE(copy.frames.shared() && models[1].frames.shared());
    EXPECT_EQ(copy.frames.data(), models[1].frames.data());
    EXPECT_EQ(&copy.drawMesh(), &models[1].drawMesh());
    copy.frames.edit()[1].vertices[0].x = 7;
    EXPECT_FALSE(models[1].frames.shared());
    EXPECT_NE(&copy.drawMesh(), &models[1].drawMesh());
    EXPECT_EQ(models[1].frames[1].vertices[0].x, 1.0f);
}

// ---- Refusals --------------------------------------------------------------------------

struct Damage {
    const char* what;
    std::function<void(Bytes&)> change;
    const char* reason;
};

size_t triangleAt(const Bytes& b, int value) { return (size_t)field(b, OFFSET_TRIANGLES) + 2 * value; }

TEST(Md2Refusals, EveryDamagedFileGivesItsReasonAndLeavesTheModelAlone)
{
    const std::vector<Damage> cases = {
        {"empty file", [](Bytes& b) { b.clear(); }, MD2_REASON_SHORT_HEADER},
        {"header cut short", [](Bytes& b) { b.resize(67); }, MD2_REASON_SHORT_HEADER},
        {"version 7", [](Bytes& b) { setField(b, VERSION, 7); }, MD2_REASON_VERSION},
        {"negative skins", [](Bytes& b) { setField(b, NUM_SKINS, -1); }, MD2_REASON_NEGATIVE_COUNT},
        {"negative vertices", [](Bytes& b) { setField(b, NUM_VERTICES, -3); }, MD2_REASON_NEGATIVE_COUNT},
        {"negative texture coordinates", [](Bytes& b) { setField(b, NUM_TEXCOORDS, INT32_MIN); },
         MD2_REASON_NEGATIVE_COUNT},
        {"negative triangles", [](Bytes& b) { setField(b, NUM_TRIANGLES, -1); }, MD2_REASON_NEGATIVE_COUNT},
        {"negative frames", [](Bytes& b) { setField(b, NUM_FRAMES, -2); }, MD2_REASON_NEGATIVE_COUNT},
        {"no vertices", [](Bytes& b) { setField(b, NUM_VERTICES, 0); }, MD2_REASON_NO_VERTICES},
        {"no texture coordinates", [](Bytes& b) { setField(b, NUM_TEXCOORDS, 0); }, MD2_REASON_NO_TEXCOORDS},
        {"no triangles", [](Bytes& b) { setField(b, NUM_TRIANGLES, 0); }, MD2_REASON_NO_TRIANGLES},
        {"no frames", [](Bytes& b) { setField(b, NUM_FRAMES, 0); }, MD2_REASON_NO_FRAMES},
        {"skin width 0", [](Bytes& b) { setField(b, SKIN_WIDTH, 0); }, MD2_REASON_SKIN_SIZE},
        {"skin height negative", [](Bytes& b) { setField(b, SKIN_HEIGHT, -32); }, MD2_REASON_SKIN_SIZE},
        {"frame size below its vertices", [](Bytes& b) { setField(b, FRAME_SIZE, 51); }, MD2_REASON_FRAME_SIZE},
        {"frame size past the buffer", [](Bytes& b) { setField(b, FRAME_SIZE, 8321); }, MD2_REASON_FRAME_SIZE},
        {"2071 vertices cannot fit the buffer",
         [](Bytes& b) { setField(b, NUM_VERTICES, 2071), setField(b, FRAME_SIZE, 8320); },
         MD2_REASON_FRAME_SIZE},
        {"vertex count near the integer limit", [](Bytes& b) { setField(b, NUM_VERTICES, INT32_MAX); },
         MD2_REASON_FRAME_SIZE},
        {"skins past the end", [](Bytes& b) { setField(b, NUM_SKINS, 100); }, MD2_REASON_SKINS_OUTSIDE},
        {"skins before the start", [](Bytes& b) { setField(b, OFFSET_SKINS, -4); }, MD2_REASON_SKINS_OUTSIDE},
        {"texture coordinates cut off",
         [](Bytes& b) { setField(b, OFFSET_TEXCOORDS, (int32_t)b.size() - 10); },
         MD2_REASON_TEXCOORDS_OUTSIDE},
        {"triangles at the very end", [](Bytes& b) { setField(b, OFFSET_TRIANGLES, (int32_t)b.size()); },
         MD2_REASON_TRIANGLES_OUTSIDE},
        {"last frame one byte short", [](Bytes& b) { b.pop_back(); }, MD2_REASON_FRAMES_OUTSIDE},
        {"a frame more than the file holds", [](Bytes& b) { setField(b, NUM_FRAMES, 3); },
         MD2_REASON_FRAMES_OUTSIDE},
        {"frames at the integer limit", [](Bytes& b) { setField(b, OFFSET_FRAMES, INT32_MAX); },
         MD2_REASON_FRAMES_OUTSIDE},
        {"vertex index equal to the count", [](Bytes& b) { set16(b, triangleAt(b, 1), 3); },
         MD2_REASON_VERTEX_INDEX},
        {"negative vertex index", [](Bytes& b) { set16(b, triangleAt(b, 2), -1); }, MD2_REASON_VERTEX_INDEX},
        {"texture index equal to the count", [](Bytes& b) { set16(b, triangleAt(b, 3), 3); },
         MD2_REASON_TEXCOORD_INDEX},
        {"negative texture index", [](Bytes& b) { set16(b, triangleAt(b, 5), -32768); },
         MD2_REASON_TEXCOORD_INDEX},
        {"4097 triangles", [](Bytes& b) { setField(b, NUM_TRIANGLES, 4097); },
         MD2_REASON_TOO_MANY_TRIANGLES},
        {"2049 vertices in frames that hold them",
         [](Bytes& b) { setField(b, NUM_VERTICES, 2049), setField(b, FRAME_SIZE, 8320); },
         MD2_REASON_TOO_MANY_VERTICES},
        {"513 frames", [](Bytes& b) { setField(b, NUM_FRAMES, 513); }, MD2_REASON_TOO_MANY_FRAMES},
    };
    Md2Source m;
    m.frameNames = {"keep1", "keep2", "keep3"};
    Md2Model before = decoded(build(m));
    const Bytes good = build(Md2Source{});
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = good;
        c.change(file);
        // Exact-size copy, so the sanitizers see any read past the end.
        Bytes exact(file.begin(), file.end());
        Md2Loader loader;
        Md2Model model = before;
        const char* reason = loader.decode(exact.data(), exact.size(), model);
        EXPECT_STREQ(reason, c.reason);
        EXPECT_TRUE(sameModel(model, before));
        EXPECT_TRUE(loader.rawFrames().empty());
    }
}

TEST(Md2Refusals, DamagedBytesGiveAModelOrAReasonNeverACrash)
{
    Md2Source m;
    m.frameNames = {"run1", "run2", "run3"};
    const Bytes good = build(m);
    for (size_t length = 0; length < good.size(); ++length) {
        Bytes cut(good.begin(), good.begin() + length);
        Md2Model model{};
        EXPECT_NE(Md2Loader().decode(cut.data(), cut.size(), model), nullptr) << length;
    }
    uint32_t seed = 2024;
    auto next = [&seed]() { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFFF; };
    int refused = 0, read = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = good;
        for (uint32_t n = 1 + next() % 3; n > 0; --n) damaged[next() % damaged.size()] = (uint8_t)next();
        Md2Model model{};
        if (Md2Loader().decode(damaged.data(), damaged.size(), model) != nullptr) {
            ++refused;
            continue;
        }
        ++read;
        // What is accepted is safe to draw: every face points inside the arrays.
        const Md2Frame& first = model.frames[0];
        for (const Md2Face& face : first.faces)
            for (int c = 0; c < 3; ++c) {
                EXPECT_LT(face.vertexIndex[c], first.vertexCount);
                EXPECT_LT(face.texCoordIndex[c], first.texCoordCount);
                EXPECT_GE(face.vertexIndex[c], 0);
                EXPECT_GE(face.texCoordIndex[c], 0);
            }
        for (const Md2Frame& frame : model.frames) EXPECT_EQ((int)frame.vertices.size(), frame.vertexCount);
    }
    // Both outcomes must occur, or the damage is not reaching the checks.
    EXPECT_GT(refused, 300);
    EXPECT_GT(read, 300);
}

// ---- Loading from a path ---------------------------------------------------------------

std::string tempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name)).string();
}

TEST(Md2Load, AMissingFileGivesItsPathAndLeavesTheModelEmpty)
{
    int before = errorMessageCount();
    Md2Loader loader;
    Md2Model model{};
    std::string message;
    EXPECT_FALSE(loader.load(model, "models/civi.md2", &message));
    EXPECT_EQ(message, "Unable to find the file: models/civi.md2!");
    EXPECT_EQ(errorMessageCount(), before);  // the box is the caller's to show
    EXPECT_EQ(model.frameCount, 0);
    EXPECT_TRUE(model.frames.empty());
    EXPECT_TRUE(model.animations.empty());

    // A path far longer than the message buffer is cut, never written past it.
    std::string longPath = "models/" + std::string(600, 'q') + ".md2";
    EXPECT_FALSE(loader.load(model, longPath.c_str(), &message));
    EXPECT_EQ(message.size(), (size_t)MD2_MESSAGE_SIZE - 1);
    EXPECT_EQ(message, ("Unable to find the file: " + longPath).substr(0, MD2_MESSAGE_SIZE - 1));
}

TEST(Md2Load, AFileOnDiskLoadsOrShowsTheInvalidFormatText)
{
    std::string path = tempPath("kerb_model.md2");
    Bytes file = build(Md2Source{});
    std::ofstream(path, std::ios::binary).write((const char*)file.data(), (std::streamsize)file.size());
    Md2Loader loader;
    Md2Model model{};
    EXPECT_TRUE(loader.load(model, path.c_str()));
    EXPECT_EQ(model.frameCount, 2);

    setField(file, VERSION, 7);
    std::ofstream(path, std::ios::binary).write((const char*)file.data(), (std::streamsize)file.size());
    Md2Model kept = model;
    std::string message;
    EXPECT_FALSE(loader.load(model, path.c_str(), &message));
    EXPECT_EQ(message, "Invalid file format (Version not 8): " + path + "!");
    EXPECT_TRUE(sameModel(model, kept));
    std::remove(path.c_str());
}

}  // namespace test_md2_model
