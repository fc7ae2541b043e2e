// 3DS scenes: files as other tools write them, every way a damaged file is refused, the
// writer read back, and the street exported and read back corner for corner. Every file is
// built here chunk by chunk, without the game's writer, unless the writer is under test.
#include "world/scene3ds.h"
#include "world/scene3ds_street.h"
#include "world/street_table.h"
#include "world/texture_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace test_scene3ds {

using Bytes = std::vector<uint8_t>;

// ---- Files built in memory -------------------------------------------------------------

Bytes u16(std::initializer_list<int> values)
{
    Bytes b;
    for (int v : values) b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
    return b;
}

Bytes u32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

Bytes f32(std::initializer_list<float> values)
{
    Bytes b;
    for (float f : values) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Bytes one = u32(bits);
        b.insert(b.end(), one.begin(), one.end());
    }
    return b;
}

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes b;
    for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes name(const std::string& s) { return cat({text(s), Bytes{0}}); }

Bytes chunk(uint16_t id, const Bytes& body)
{
    return cat({u16({id}), u32((uint32_t)body.size() + 6), body});
}

Bytes vertices(std::initializer_list<std::initializer_list<float>> points)
{
    Bytes b = u16({(int)points.size()});
    for (auto p : points) b = cat({b, f32(p)});
    return chunk(CHUNK3DS_VERTEX_LIST, b);
}

// Faces as a, b, c, flags; then the face list's own chunks.
Bytes faces(std::initializer_list<std::initializer_list<int>> list, const Bytes& children = {})
{
    Bytes b = u16({(int)list.size()});
    for (auto f : list) b = cat({b, u16(f)});
    return chunk(CHUNK3DS_FACE_LIST, cat({b, children}));
}

Bytes group(const std::string& material, std::initializer_list<int> faceIndices)
{
    return chunk(CHUNK3DS_FACE_MATERIAL, cat({name(material), u16({(int)faceIndices.size()}),
                                              u16(faceIndices)}));
}

Bytes mapping(std::initializer_list<std::initializer_list<float>> uvs)
{
    Bytes b = u16({(int)uvs.size()});
    for (auto uv : uvs) b = cat({b, f32(uv)});
    return chunk(CHUNK3DS_MAPPING, b);
}

Bytes localAxes() { return chunk(CHUNK3DS_LOCAL_AXES, f32({1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 6, 7})); }
Bytes mesh(const Bytes& body) { return chunk(CHUNK3DS_TRIANGLE_MESH, body); }
Bytes object(const std::string& n, const Bytes& body) { return chunk(CHUNK3DS_OBJECT, cat({name(n), body})); }
Bytes colour(uint16_t id, const Bytes& values) { return chunk(id, values); }
Bytes mainChunk(const Bytes& editorBody, const Bytes& after = {})
{
    return chunk(CHUNK3DS_MAIN, cat({chunk(CHUNK3DS_VERSION, u32(3)),
                                     chunk(CHUNK3DS_EDITOR, editorBody), after}));
}

// Chunks a modelling tool writes that the game has no use for.
const uint16_t MASTER_SCALE = 0x0100, CAMERA = 0x4700, LIGHT = 0x4600, SMOOTHING = 0x4150,
               MAP_TILING = 0xA351, SHININESS = 0xA040, KEYFRAME_HEADER = 0xB00A,
               KEYFRAME_MESH = 0xB002;

// Two materials (one painted, one with a picture), a camera, a light, and three objects: a
// textured quad with mapping and local axes, a red triangle without mapping, and a cloud of
// points without faces. A keyframer section follows the editor.
Bytes toolFile()
{
    Bytes red = chunk(CHUNK3DS_MATERIAL, cat({
        chunk(CHUNK3DS_MATERIAL_NAME, name("Red")),
        chunk(CHUNK3DS_AMBIENT, cat({colour(CHUNK3DS_COLOUR_BYTES, {51, 0, 0}),
                                     colour(CHUNK3DS_COLOUR_BYTES_GAMMA, {60, 1, 1})})),
        chunk(CHUNK3DS_DIFFUSE, cat({colour(CHUNK3DS_COLOUR_BYTES, {255, 0, 0}),
                                     colour(CHUNK3DS_COLOUR_BYTES_GAMMA, {200, 9, 9})})),
        chunk(CHUNK3DS_SPECULAR, colour(CHUNK3DS_COLOUR_FLOAT, f32({0.5f, 0.25f, 0.125f}))),
        chunk(SHININESS, chunk(0x0030, u16({40}))),
    }));
    Bytes brick = chunk(CHUNK3DS_MATERIAL, cat({
        chunk(CHUNK3DS_MATERIAL_NAME, name("Brick")),
        chunk(CHUNK3DS_DIFFUSE, colour(CHUNK3DS_COLOUR_BYTES_GAMMA, {0, 255, 51})),
        chunk(CHUNK3DS_TEXTURE_MAP, cat({chunk(0x0030, u16({100})),
                                         chunk(CHUNK3DS_MAP_FILE_NAME, name("BRICK.BMP")),
                                         chunk(MAP_TILING, u16({0}))})),
    }));
    Bytes quad = object("Quad", mesh(cat({
        vertices({{0, 0, 0}, {2, 0, 0}, {2, 0, 3}, {0, 0, 3}}),
        mapping({{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
        localAxes(),
        faces({{0, 1, 2, 6}, {0, 2, 3, 3}},
              cat({group("Brick", {0, 1}), chunk(SMOOTHING, cat({u32(1), u32(1)}))})),
    })));
    Bytes triangle = object("Tri", mesh(cat({
        vertices({{-1, -2, -3}, {1, -2, -3}, {0, 5, -3}}),
        faces({{0, 1, 2, 7}}, group("Red", {0})),
    })));
    Bytes points = object("Points", mesh(vertices({{4, 4, 4}, {8, 9, 10}})));
    Bytes camera = object("Camera01", chunk(CAMERA, f32({0, -10, 5, 0, 0, 0, 0, 45})));
    Bytes light = object("Light01", chunk(LIGHT, f32({0, 0, 20})));
    Bytes keyframer = chunk(CHUNK3DS_KEYFRAMER, cat({
        chunk(KEYFRAME_HEADER, cat({u16({5}), name("Scene"), u32(100)})),
        chunk(KEYFRAME_MESH, chunk(0xB010, cat({name("Quad"), u16({0, 0, 0xFFFF})}))),
    }));
    return mainChunk(cat({chunk(CHUNK3DS_MESH_VERSION, u32(3)), chunk(MASTER_SCALE, f32({1})),
                          red, brick, camera, quad, light, triangle, points}),
                     keyframer);
}

void expectPoint(const Vector3& v, float x, float y, float z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

void expectColour(const Scene3dsColour& c, float r, float g, float b)
{
    EXPECT_TRUE(c.present);
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
}

Scene3ds decodeOrFail(const Bytes& file)
{
    Scene3ds scene;
    const char* reason = decodeScene3ds(file.data(), file.size(), &scene);
    EXPECT_EQ(reason, nullptr) << reason;
    return scene;
}

// ---- Files other tools write -----------------------------------------------------------

TEST(Scene3dsRead, AToolsFileGivesEveryObjectAndMaterialAndSkipsTheRest)
{
    Scene3ds scene = decodeOrFail(toolFile());

    ASSERT_EQ(scene.objects.size(), 5u);
    const char* names[] = {"Camera01", "Quad", "Light01", "Tri", "Points"};
    const bool meshes[] = {false, true, false, true, true};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(scene.objects[i].name, names[i]);
        EXPECT_EQ(scene.objects[i].hasMesh, meshes[i]) << names[i];
    }

    const Scene3dsMesh& quad = scene.objects[1].mesh;
    ASSERT_EQ(quad.vertices.size(), 4u);
    expectPoint(quad.vertices[2], 2, 0, 3);
    ASSERT_EQ(quad.mapping.size(), 4u);
    EXPECT_EQ(quad.mapping[2].u, 1.0f);
    EXPECT_EQ(quad.mapping[2].v, 1.0f);
    EXPECT_TRUE(quad.hasLocalAxes);
    EXPECT_EQ(quad.localAxes[9], 5.0f);
    EXPECT_EQ(quad.localAxes[11], 7.0f);
    ASSERT_EQ(quad.faces.size(), 2u);
    EXPECT_EQ(quad.faces[1].a, 0);
    EXPECT_EQ(quad.faces[1].b, 2);
    EXPECT_EQ(quad.faces[1].c, 3);
    EXPECT_EQ(quad.faces[1].flags, 3);
    ASSERT_EQ(quad.faceGroups.size(), 1u);
    EXPECT_EQ(quad.faceGroups[0].material, "Brick");
    EXPECT_EQ(quad.faceGroups[0].faces, (std::vector<uint16_t>{0, 1}));

    const Scene3dsMesh& tri = scene.objects[3].mesh;
    EXPECT_TRUE(tri.mapping.empty());
    EXPECT_FALSE(tri.hasLocalAxes);
    ASSERT_EQ(tri.faces.size(), 1u);
    EXPECT_EQ(tri.faces[0].flags, 7);

    const Scene3dsMesh& points = scene.objects[4].mesh;
    EXPECT_EQ(points.vertices.size(), 2u);
    EXPECT_TRUE(points.faces.empty());

    ASSERT_EQ(scene.materials.size(), 2u);
    const Scene3dsMaterial& red = scene.materials[0];
    EXPECT_EQ(red.name, "Red");
    expectColour(red.ambient, 0.2f, 0, 0);
    expectColour(red.diffuse, 1, 0, 0);  // the plain colour, not the gamma one after it
    expectColour(red.specular, 0.5f, 0.25f, 0.125f);
    EXPECT_EQ(red.textureFile, "");
    const Scene3dsMaterial& brick = scene.materials[1];
    EXPECT_EQ(brick.name, "Brick");
    expectColour(brick.diffuse, 0, 1, 0.2f);  // only a gamma colour: that one
    EXPECT_FALSE(brick.ambient.present);
    EXPECT_FALSE(brick.specular.present);
    EXPECT_EQ(brick.textureFile, "BRICK.BMP");
}

TEST(Scene3dsRead, ListsInAnyOrderAndEmptyOrTrailingPieces)
{
    // Faces before the vertices they name; a plain colour after a gamma one; an empty
    // editor before the real one; bytes after the main chunk.
    Bytes material = chunk(CHUNK3DS_MATERIAL, cat({
        chunk(CHUNK3DS_DIFFUSE, cat({colour(CHUNK3DS_COLOUR_FLOAT_GAMMA, f32({0.9f, 0.9f, 0.9f})),
                                     colour(CHUNK3DS_COLOUR_FLOAT, f32({0.1f, 0.2f, 0.3f}))})),
        chunk(CHUNK3DS_MATERIAL_NAME, name("")),
    }));
    Bytes body = cat({material, object("Late", mesh(cat({faces({{2, 1, 0, 0}}),
                                                         vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})}))),
                      object("", Bytes{}), object("Empty", mesh(Bytes{}))});
    Bytes file = chunk(CHUNK3DS_MAIN, cat({chunk(CHUNK3DS_EDITOR, Bytes{}), chunk(CHUNK3DS_EDITOR, body)}));
    file = cat({file, text("junk")});

    Scene3ds scene = decodeOrFail(file);
    ASSERT_EQ(scene.objects.size(), 3u);
    EXPECT_EQ(scene.objects[0].mesh.faces.size(), 1u);
    EXPECT_EQ(scene.objects[0].mesh.faces[0].a, 2);
    EXPECT_EQ(scene.objects[1].name, "");
    EXPECT_FALSE(scene.objects[1].hasMesh);
    EXPECT_TRUE(scene.objects[2].hasMesh);
    EXPECT_TRUE(scene.objects[2].mesh.vertices.empty());
    ASSERT_EQ(scene.materials.size(), 1u);
    expectColour(scene.materials[0].diffuse, 0.1f, 0.2f, 0.3f);

    Scene3ds bare = decodeOrFail(chunk(CHUNK3DS_MAIN, Bytes{}));
    EXPECT_TRUE(bare.objects.empty());
    EXPECT_TRUE(bare.materials.empty());
}

TEST(Scene3dsRead, ChunksNestedInUnknownPlacesAreSkippedWholeHoweverDeep)
{
    // An editor inside an editor means nothing here: it is skipped with all it holds,
    // without descending into it, so nesting of any depth costs no stack.
    const int depth = 20000;
    Bytes hidden = object("Hidden", mesh(vertices({{0, 0, 0}})));
    Bytes inner;
    for (int i = 0; i < depth; ++i) {
        Bytes header = cat({u16({CHUNK3DS_EDITOR}), u32((uint32_t)(hidden.size() + 6 * (depth - i)))});
        inner.insert(inner.end(), header.begin(), header.end());
    }
    inner.insert(inner.end(), hidden.begin(), hidden.end());
    Bytes file = mainChunk(cat({inner, object("Seen", Bytes{})}));
    Scene3ds scene = decodeOrFail(file);
    ASSERT_EQ(scene.objects.size(), 1u);
    EXPECT_EQ(scene.objects[0].name, "Seen");
}

// ---- Damaged files ---------------------------------------------------------------------

struct Damage {
    const char* what;
    Bytes file;
    const char* reason;
};

Bytes withMesh(const Bytes& meshBody) { return mainChunk(object("Box", mesh(meshBody))); }
Bytes withMaterial(const Bytes& body) { return mainChunk(chunk(CHUNK3DS_MATERIAL, body)); }

std::vector<Damage> damagedFiles()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Bytes good = toolFile();
    Bytes longMain = good;
    Bytes longLength = u32((uint32_t)good.size() + 1);
    std::copy(longLength.begin(), longLength.end(), longMain.begin() + 2);
    Bytes shortMain = good;
    shortMain[2] = 5, shortMain[3] = shortMain[4] = shortMain[5] = 0;
    Bytes tri = vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    Bytes editorPastMain = mainChunk(object("A", Bytes{}));
    editorPastMain[6 + 10 + 2] += 1;  // the editor's length, after the version chunk
    Bytes stray = chunk(CHUNK3DS_MAIN, chunk(CHUNK3DS_EDITOR, cat({object("A", Bytes{}), u16({1, 2})})));
    return {
        {"an empty file", {}, SCENE3DS_REASON_NOT_3DS},
        {"five bytes", Bytes(good.begin(), good.begin() + 5), SCENE3DS_REASON_NOT_3DS},
        {"another main id", cat({u16({0x4D4C}), Bytes(good.begin() + 2, good.end())}),
         SCENE3DS_REASON_NOT_3DS},
        {"main longer than the file", longMain, SCENE3DS_REASON_CHUNK_OUTSIDE},
        {"main shorter than its header", shortMain, SCENE3DS_REASON_SHORT_CHUNK},
        {"the editor past main", editorPastMain, SCENE3DS_REASON_CHUNK_OUTSIDE},
        {"four stray bytes in the editor", stray, SCENE3DS_REASON_SHORT_CHUNK},
        {"a child of length zero", mainChunk(cat({u16({0x1234}), u32(0)})),
         SCENE3DS_REASON_SHORT_CHUNK},
        {"the vertex list past its mesh",
         withMesh(cat({u16({CHUNK3DS_VERTEX_LIST}), u32(100), u16({0})})),
         SCENE3DS_REASON_CHUNK_OUTSIDE},
        {"an object name without its NUL", mainChunk(chunk(CHUNK3DS_OBJECT, text("Box"))),
         SCENE3DS_REASON_NAME_UNENDED},
        {"an object chunk with no name at all", mainChunk(chunk(CHUNK3DS_OBJECT, Bytes{})),
         SCENE3DS_REASON_NAME_UNENDED},
        {"a material name without its NUL", withMaterial(chunk(CHUNK3DS_MATERIAL_NAME, text("Red"))),
         SCENE3DS_REASON_NAME_UNENDED},
        {"a texture file name without its NUL",
         withMaterial(chunk(CHUNK3DS_TEXTURE_MAP, chunk(CHUNK3DS_MAP_FILE_NAME, text("a.bmp")))),
         SCENE3DS_REASON_NAME_UNENDED},
        {"a group's material name without its NUL",
         withMesh(cat({tri, faces({{0, 1, 2, 0}}, chunk(CHUNK3DS_FACE_MATERIAL, text("Red")))})),
         SCENE3DS_REASON_NAME_UNENDED},
        {"65535 vertices in a list of one",
         withMesh(chunk(CHUNK3DS_VERTEX_LIST, cat({u16({0xFFFF}), f32({0, 0, 0})}))),
         SCENE3DS_REASON_COUNT_OUTSIDE},
        {"two vertices in a list of one and a half",
         withMesh(chunk(CHUNK3DS_VERTEX_LIST, cat({u16({2}), f32({0, 0, 0, 1, 1})}))),
         SCENE3DS_REASON_COUNT_OUTSIDE},
        {"more faces than the list holds",
         withMesh(cat({tri, chunk(CHUNK3DS_FACE_LIST, cat({u16({2}), u16({0, 1, 2, 0})}))})),
         SCENE3DS_REASON_COUNT_OUTSIDE},
        {"more mapping coordinates than the list holds",
         withMesh(cat({tri, chunk(CHUNK3DS_MAPPING, cat({u16({3}), f32({0, 0, 1, 0})}))})),
         SCENE3DS_REASON_COUNT_OUTSIDE},
        {"more grouped faces than the group holds",
         withMesh(cat({tri, faces({{0, 1, 2, 0}}, chunk(CHUNK3DS_FACE_MATERIAL,
                                                         cat({name("Red"), u16({40, 0})})))})),
         SCENE3DS_REASON_COUNT_OUTSIDE},
        {"a group name with no count after it",
         withMesh(cat({tri, faces({{0, 1, 2, 0}}, chunk(CHUNK3DS_FACE_MATERIAL, name("Red")))})),
         SCENE3DS_REASON_SHORT_RECORD},
        {"a vertex list of one byte", withMesh(chunk(CHUNK3DS_VERTEX_LIST, Bytes{1})),
         SCENE3DS_REASON_SHORT_RECORD},
        {"local axes of eleven floats",
         withMesh(chunk(CHUNK3DS_LOCAL_AXES, f32({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0}))),
         SCENE3DS_REASON_SHORT_RECORD},
        {"a byte colour of two bytes",
         withMaterial(chunk(CHUNK3DS_DIFFUSE, colour(CHUNK3DS_COLOUR_BYTES, {1, 2}))),
         SCENE3DS_REASON_SHORT_RECORD},
        {"a float colour of two floats",
         withMaterial(chunk(CHUNK3DS_AMBIENT, colour(CHUNK3DS_COLOUR_FLOAT, f32({1, 2})))),
         SCENE3DS_REASON_SHORT_RECORD},
        {"two meshes in one object", mainChunk(object("Box", cat({mesh(tri), mesh(tri)}))),
         SCENE3DS_REASON_SECOND_MESH},
        {"two vertex lists in one mesh", withMesh(cat({tri, tri})), SCENE3DS_REASON_SECOND_LIST},
        {"two face lists in one mesh", withMesh(cat({tri, faces({}), faces({})})),
         SCENE3DS_REASON_SECOND_LIST},
        {"two mappings in one mesh",
         withMesh(cat({tri, mapping({{0, 0}, {1, 0}, {0, 1}}), mapping({{0, 0}, {1, 0}, {0, 1}})})),
         SCENE3DS_REASON_SECOND_LIST},
        {"two local axes in one mesh", withMesh(cat({tri, localAxes(), localAxes()})),
         SCENE3DS_REASON_SECOND_LIST},
        {"a face naming the vertex past the last", withMesh(cat({tri, faces({{0, 1, 3, 0}})})),
         SCENE3DS_REASON_VERTEX_INDEX},
        {"a face naming a vertex that a later list lacks",
         withMesh(cat({faces({{0, 1, 2, 0}}), vertices({{0, 0, 0}, {1, 1, 1}})})),
         SCENE3DS_REASON_VERTEX_INDEX},
        {"faces and no vertex list", withMesh(faces({{0, 0, 0, 0}})), SCENE3DS_REASON_VERTEX_INDEX},
        {"a group naming the face past the last",
         withMesh(cat({tri, faces({{0, 1, 2, 0}}, group("Red", {0, 1}))})),
         SCENE3DS_REASON_FACE_INDEX},
        {"fewer mapping coordinates than vertices", withMesh(cat({tri, mapping({{0, 0}, {1, 0}})})),
         SCENE3DS_REASON_MAPPING_COUNT},
        {"a vertex that is not a number", withMesh(vertices({{0, nan, 0}})),
         SCENE3DS_REASON_VERTEX_VALUE},
        {"an infinite vertex", withMesh(vertices({{0, 0, -inf}})), SCENE3DS_REASON_VERTEX_VALUE},
    };
}

TEST(Scene3dsRefusals, EveryDamagedFileGivesItsReasonAndLeavesTheSceneAlone)
{
    for (const Damage& d : damagedFiles()) {
        SCOPED_TRACE(d.what);
        Scene3ds scene;
        scene.objects.push_back(Scene3dsObject{"before", false, {}});
        // An exact-size copy, so that the sanitizer sees any read past the file.
        Bytes exact(d.file);
        const char* reason = decodeScene3ds(exact.data(), exact.size(), &scene);
        EXPECT_STREQ(reason, d.reason);
        ASSERT_EQ(scene.objects.size(), 1u);
        EXPECT_EQ(scene.objects[0].name, "before");
    }
}

TEST(Scene3dsRefusals, EveryCutAndEveryChangedByteGivesASceneOrAReasonNeverACrash)
{
    const Bytes good = toolFile();
    int refused = 0, read = 0;
    for (size_t length = 0; length < good.size(); ++length) {
        Bytes cut(good.begin(), good.begin() + (long)length);
        Scene3ds scene;
        decodeScene3ds(cut.data(), cut.size(), &scene) ? ++refused : ++read;
    }
    // Every cut shortens the main chunk's stated length past the file's end.
    EXPECT_EQ(read, 0);
    for (size_t at = 0; at < good.size(); ++at)
        for (uint8_t value : {uint8_t(0x00), uint8_t(0x07), uint8_t(0xFF)}) {
            Bytes changed(good);
            changed[at] = value;
            Scene3ds scene;
            decodeScene3ds(changed.data(), changed.size(), &scene) ? ++refused : ++read;
        }
    EXPECT_GT(refused, 0);
    EXPECT_GT(read, 0);
}

// ---- The writer ------------------------------------------------------------------------

Scene3ds smallScene()
{
    Scene3ds scene;
    Scene3dsMaterial plain{"Paint", {true, 0, 0, 0}, {true, 51 / 255.0f, 1, 0}, {false, 0, 0, 0}, ""};
    Scene3dsMaterial pictured{"Wall", {false, 0, 0, 0}, {true, 1, 1, 1}, {true, 1, 1, 1},
                              "textures/wall07.bmp"};
    scene.materials = {plain, pictured};
    Scene3dsObject quad{"Quad", true, {}};
    quad.mesh.vertices = {{0, 0, 0}, {1.5f, 0, 0}, {1.5f, 0, -2.25f}, {0, 1e-7f, 3}};
    quad.mesh.mapping = {{0, 0}, {3, 0}, {3, -520}, {0, 1}};
    quad.mesh.faces = {{0, 1, 2, 6}, {0, 2, 3, 3}};
    quad.mesh.faceGroups = {{"Wall", {1}}, {"Paint", {0}}};
    quad.mesh.hasLocalAxes = true;
    for (int k = 0; k < 12; ++k) quad.mesh.localAxes[k] = (float)k / 3;
    Scene3dsObject camera{"Cam", false, {}};
    Scene3dsObject cloud{"Cloud", true, {}};
    cloud.mesh.vertices = {{-4, 5, 6}};
    scene.objects = {quad, camera, cloud};
    return scene;
}

TEST(Scene3dsWrite, WhatIsWrittenReadsBackTheSame)
{
    Scene3ds scene = smallScene();
    Bytes file;
    ASSERT_EQ(encodeScene3ds(scene, &file), nullptr);
    Scene3ds back = decodeOrFail(file);

    ASSERT_EQ(back.materials.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const Scene3dsMaterial &a = scene.materials[i], &b = back.materials[i];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.textureFile, a.textureFile);
        for (auto pair : {std::make_pair(a.ambient, b.ambient), std::make_pair(a.diffuse, b.diffuse),
                          std::make_pair(a.specular, b.specular)}) {
            EXPECT_EQ(pair.second.present, pair.first.present);
            if (pair.first.present) expectColour(pair.second, pair.first.r, pair.first.g, pair.first.b);
        }
    }
    ASSERT_EQ(back.objects.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const Scene3dsObject &a = scene.objects[i], &b = back.objects[i];
        SCOPED_TRACE(a.name);
        EXPECT_EQ(b.name, a.name);
        ASSERT_EQ(b.hasMesh, a.hasMesh);
        ASSERT_EQ(b.mesh.vertices.size(), a.mesh.vertices.size());
        for (size_t v = 0; v < a.mesh.vertices.size(); ++v)
            expectPoint(b.mesh.vertices[v], a.mesh.vertices[v].x, a.mesh.vertices[v].y,
                        a.mesh.vertices[v].z);
        ASSERT_EQ(b.mesh.mapping.size(), a.mesh.mapping.size());
        for (size_t v = 0; v < a.mesh.mapping.size(); ++v) {
            EXPECT_EQ(b.mesh.mapping[v].u, a.mesh.mapping[v].u);
            EXPECT_EQ(b.mesh.mapping[v].v, a.mesh.mapping[v].v);
        }
        ASSERT_EQ(b.mesh.faces.size(), a.mesh.faces.size());
        for (size_t f = 0; f < a.mesh.faces.size(); ++f) {
            EXPECT_EQ(b.mesh.faces[f].a, a.mesh.faces[f].a);
            EXPECT_EQ(b.mesh.faces[f].b, a.mesh.faces[f].b);
            EXPECT_EQ(b.mesh.faces[f].c, a.mesh.faces[f].c);
            EXPECT_EQ(b.mesh.faces[f].flags, a.mesh.faces[f].flags);
        }
        ASSERT_EQ(b.mesh.faceGroups.size(), a.mesh.faceGroups.size());
        for (size_t g = 0; g < a.mesh.faceGroups.size(); ++g) {
            EXPECT_EQ(b.mesh.faceGroups[g].material, a.mesh.faceGroups[g].material);
            EXPECT_EQ(b.mesh.faceGroups[g].faces, a.mesh.faceGroups[g].faces);
        }
        EXPECT_EQ(b.mesh.hasLocalAxes, a.mesh.hasLocalAxes);
        for (int k = 0; k < 12 && a.mesh.hasLocalAxes; ++k)
            EXPECT_EQ(b.mesh.localAxes[k], a.mesh.localAxes[k]);
    }
}

TEST(Scene3dsWrite, AScene3dsCannotHoldIsRefusedWithItsReason)
{
    const struct {
        const char* what;
        void (*spoil)(Scene3ds&);
        const char* reason;
    } cases[] = {
        {"a NUL in an object name", [](Scene3ds& s) { s.objects[0].name += std::string(1, '\0'); },
         SCENE3DS_REASON_NAME_NUL},
        {"a NUL in a texture file", [](Scene3ds& s) { s.materials[1].textureFile[2] = '\0'; },
         SCENE3DS_REASON_NAME_NUL},
        {"a NUL in a group's material", [](Scene3ds& s) { s.objects[0].mesh.faceGroups[0].material[0] = '\0'; },
         SCENE3DS_REASON_NAME_NUL},
        {"a face naming a missing vertex", [](Scene3ds& s) { s.objects[0].mesh.faces[1].c = 4; },
         SCENE3DS_REASON_FACE_UNNAMED},
        {"a group naming a missing face", [](Scene3ds& s) { s.objects[0].mesh.faceGroups[1].faces.push_back(2); },
         SCENE3DS_REASON_FACE_INDEX},
        {"mapping for only some vertices", [](Scene3ds& s) { s.objects[0].mesh.mapping.pop_back(); },
         SCENE3DS_REASON_MAPPING_COUNT},
        {"65536 vertices", [](Scene3ds& s) { s.objects[2].mesh.vertices.resize(65536, Vector3(0, 0, 0)); },
         SCENE3DS_REASON_TOO_MANY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scene3ds scene = smallScene();
        c.spoil(scene);
        Bytes file = {1, 2, 3};
        EXPECT_STREQ(encodeScene3ds(scene, &file), c.reason);
        EXPECT_EQ(file, (Bytes{1, 2, 3}));
    }
}

// ---- Helpers for drawing and describing ------------------------------------------------

TEST(Scene3dsFaces, EachFaceTakesTheMaterialOfTheLastGroupNamingIt)
{
    Scene3ds scene = smallScene();
    Scene3dsMesh mesh;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces.assign(5, Scene3dsFace{0, 1, 2, 0});
    mesh.faceGroups = {{"Wall", {0, 1, 2}}, {"Paint", {2}}, {"Nowhere", {3}}};
    EXPECT_EQ(faceMaterialIndices(scene, mesh), (std::vector<int>{1, 1, 0, -1, -1}));
}

TEST(Scene3dsTextures, APictureIsLookedForAsWrittenThenByItsLastPartThenInLowerCase)
{
    EXPECT_EQ(textureFileCandidates("maps\\BRICK.BMP", {"scenes", "data/"}),
              (std::vector<std::string>{"scenes/maps/BRICK.BMP", "scenes/BRICK.BMP", "scenes/brick.bmp",
                                        "data/maps/BRICK.BMP", "data/BRICK.BMP", "data/brick.bmp"}));
    // One name tried once, in the working directory when the folder is empty.
    EXPECT_EQ(textureFileCandidates("wall.bmp", {""}), (std::vector<std::string>{"wall.bmp"}));
    EXPECT_EQ(textureFileCandidates("textures/floor03.bmp", {"d"}),
              (std::vector<std::string>{"d/textures/floor03.bmp", "d/floor03.bmp"}));
    // Only pictures the game reads.
    for (const char* other : {"wood.jpg", "bmp", ".bmp", "", "wall.bmp.tga"})
        EXPECT_TRUE(textureFileCandidates(other, {"d"}).empty()) << other;
}

TEST(Scene3dsBoundsTest, BoxesOverStoredVerticesOfMeshesOnly)
{
    Scene3ds scene = smallScene();
    Scene3dsBounds quad = meshBounds(scene.objects[0].mesh);
    ASSERT_FALSE(quad.empty);
    expectPoint(quad.low, 0, 0, -2.25f);
    expectPoint(quad.high, 1.5f, 1e-7f, 3);
    Scene3dsBounds all = sceneBounds(scene);
    expectPoint(all.low, -4, 0, -2.25f);
    expectPoint(all.high, 1.5f, 5, 6);
    EXPECT_TRUE(meshBounds(Scene3dsMesh{}).empty);
    EXPECT_TRUE(sceneBounds(Scene3ds{}).empty);
}

// ---- The street as a scene -------------------------------------------------------------

TEST(Scene3dsStreet, TheGroupsCoverTheTableInOrderWithShortNames)
{
    EXPECT_EQ(streetGroups[0].firstRow, 0);
    for (int g = 0; g < STREET_GROUP_COUNT; ++g) {
        SCOPED_TRACE(streetGroups[g].name);
        int end = g + 1 < STREET_GROUP_COUNT ? streetGroups[g + 1].firstRow : STREET_QUAD_COUNT;
        EXPECT_LT(streetGroups[g].firstRow, end);
        EXPECT_LE(std::strlen(streetGroups[g].name), (size_t)SCENE3DS_OBJECT_NAME_LIMIT);
        for (int h = 0; h < g; ++h) EXPECT_STRNE(streetGroups[h].name, streetGroups[g].name);
    }
    // Groups that are one picture through and through start where that picture starts.
    EXPECT_EQ(streetTable[streetGroups[1].firstRow].slot, 26);   // sky box top
    EXPECT_EQ(streetTable[streetGroups[3].firstRow].slot, 44);   // pillars
    EXPECT_EQ(streetTable[streetGroups[3].firstRow - 1].slot, 15);
    EXPECT_EQ(streetTable[streetGroups[14].firstRow].slot, 49);  // sign board
}

TEST(Scene3dsStreet, TheExportReadsBackCornerForCornerWithItsPictures)
{
    Bytes file;
    ASSERT_EQ(encodeScene3ds(streetAsScene3ds(), &file), nullptr);
    Scene3ds back = decodeOrFail(file);

    ASSERT_EQ(back.objects.size(), (size_t)STREET_GROUP_COUNT);
    int row = 0;
    std::vector<int> slotsSeen;
    for (int g = 0; g < STREET_GROUP_COUNT; ++g) {
        const Scene3dsObject& object = back.objects[(size_t)g];
        SCOPED_TRACE(object.name);
        EXPECT_EQ(object.name, streetGroups[g].name);
        ASSERT_TRUE(object.hasMesh);
        const Scene3dsMesh& mesh = object.mesh;
        ASSERT_EQ(mesh.vertices.size() % 4, 0u);
        ASSERT_EQ(mesh.faces.size(), mesh.vertices.size() / 2);
        ASSERT_EQ(mesh.mapping.size(), mesh.vertices.size());
        std::vector<int> materials = faceMaterialIndices(back, mesh);
        for (size_t k = 0; k < mesh.vertices.size() / 4; ++k, ++row) {
            ASSERT_LT(row, STREET_QUAD_COUNT);
            const StreetQuad& q = streetTable[row];
            const Vector3* corners[] = {&q.c0, &q.c1, &q.c2, &q.c3};
            for (size_t c = 0; c < 4; ++c) {
                Vector3 stored = mesh.vertices[4 * k + c];
                Vector3 game = sceneToStreetPoint(stored);
                EXPECT_EQ(game.x, corners[c]->x) << "row " << row << " corner " << c;
                EXPECT_EQ(game.y, corners[c]->y) << "row " << row << " corner " << c;
                EXPECT_EQ(game.z, corners[c]->z) << "row " << row << " corner " << c;
                // Up in the file is up in the street.
                EXPECT_EQ(stored.z, corners[c]->y);
            }
            EXPECT_EQ(mesh.mapping[4 * k + 2].u, q.sRepeat);
            EXPECT_EQ(mesh.mapping[4 * k + 2].v, q.tRepeat);
            // Triangles c0 c1 c2 and c0 c2 c3, front where the quad's front is.
            const Scene3dsFace& first = mesh.faces[2 * k];
            const Scene3dsFace& second = mesh.faces[2 * k + 1];
            EXPECT_EQ(first.a, 4 * k);
            EXPECT_EQ(first.b, 4 * k + 1);
            EXPECT_EQ(first.c, 4 * k + 2);
            EXPECT_EQ(second.a, 4 * k);
            EXPECT_EQ(second.b, 4 * k + 2);
            EXPECT_EQ(second.c, 4 * k + 3);
            Vector3 gameCorners[3] = {q.c0, q.c1, q.c2};
            Vector3 sceneCorners[3] = {mesh.vertices[4 * k], mesh.vertices[4 * k + 1],
                                       mesh.vertices[4 * k + 2]};
            Vector3 turned = streetToScenePoint(polygonNormal(gameCorners));
            EXPECT_GT(dot(turned, polygonNormal(sceneCorners)), 0.99f) << "row " << row;
            for (size_t f : {2 * k, 2 * k + 1}) {
                ASSERT_GE(materials[f], 0) << "row " << row;
                const Scene3dsMaterial& m = back.materials[(size_t)materials[f]];
                EXPECT_EQ(m.textureFile, texturePathForSlot(q.slot)) << "row " << row;
                expectColour(m.diffuse, 1, 1, 1);
            }
            bool seen = false;
            for (int s : slotsSeen) seen = seen || s == q.slot;
            if (!seen) slotsSeen.push_back(q.slot);
        }
    }
    EXPECT_EQ(row, STREET_QUAD_COUNT);
    // One material per picture, named by its file.
    ASSERT_EQ(back.materials.size(), slotsSeen.size());
    for (size_t i = 0; i < slotsSeen.size(); ++i) {
        std::string path = texturePathForSlot(slotsSeen[i]);
        std::string stem = path.substr(path.rfind('/') + 1);
        stem.erase(stem.rfind('.'));
        EXPECT_EQ(back.materials[i].name, stem);
        EXPECT_EQ(back.materials[i].textureFile, path);
    }
}

}  // namespace test_scene3ds
