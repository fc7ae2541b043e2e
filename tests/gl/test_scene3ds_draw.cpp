// Scene drawing under a real GL context: the diffuse colour, the grey of faces without a
// material, faces seen only from their front, and pictures found beside the scene or missing.
#include "world/scene3ds_draw.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace test_scene3ds_draw {

using Bytes = std::vector<uint8_t>;
const int VIEW = 64;  // the test draws into the lower-left VIEW x VIEW pixels

void put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A 2 x 2 picture of one colour, 24 bits a pixel.
Bytes flatBmp(uint8_t r, uint8_t g, uint8_t b)
{
    Bytes out = {'B', 'M'};
    put32(out, 14 + 40 + 16);
    put32(out, 0), put32(out, 54), put32(out, 40), put32(out, 2), put32(out, 2), put32(out, 1 | 24 << 16);
    out.resize(54, 0);
    for (int row = 0; row < 2; ++row) out.insert(out.end(), {b, g, r, b, g, r, 0, 0});
    return out;
}

// A square over the whole view at depth 0, as two faces c0 c1 c2 and c0 c2 c3.
Scene3dsObject square(bool clockwise, bool mapped)
{
    Scene3dsObject o{"Square", true, {}};
    o.mesh.vertices = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    if (clockwise)
        o.mesh.faces = {{0, 2, 1, 0}, {0, 3, 2, 0}};
    else
        o.mesh.faces = {{0, 1, 2, 0}, {0, 2, 3, 0}};
    if (mapped) o.mesh.mapping = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    return o;
}

struct Rgb {
    int r, g, b;
};

// Draws the scene over a blue background in a plain orthographic view, unlit, and reads
// the pixel at the middle of the view.
Rgb drawAndRead(const Scene3ds& scene, const Scene3dsTextures& textures)
{
    glViewport(0, 0, VIEW, VIEW);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawScene3ds(scene, textures);
    glFinish();
    unsigned char pixel[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(VIEW / 2, VIEW / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

void expectNear(Rgb got, int r, int g, int b)
{
    EXPECT_NEAR(got.r, r, 2);
    EXPECT_NEAR(got.g, g, 2);
    EXPECT_NEAR(got.b, b, 2);
}

TEST(Scene3dsDraw, FacesTakeTheirMaterialsDiffuseColourOrGreyAndShowOnlyTheirFront)
{
    Scene3ds scene;
    scene.materials = {Scene3dsMaterial{"Red", {}, {true, 1, 0, 0}, {}, ""},
                       Scene3dsMaterial{"NoColour", {}, {}, {}, ""}};
    scene.objects = {square(false, false)};
    Scene3dsTextures none;
    int grey = (int)(SCENE3DS_DEFAULT_GREY * 255 + 0.5f);

    expectNear(drawAndRead(scene, none), grey, grey, grey);  // no group names a material
    scene.objects[0].mesh.faceGroups = {{"Red", {0, 1}}};
    expectNear(drawAndRead(scene, none), 255, 0, 0);
    scene.objects[0].mesh.faceGroups = {{"NoColour", {0, 1}}};
    expectNear(drawAndRead(scene, none), grey, grey, grey);
    // Seen from behind: nothing drawn, the background shows.
    scene.objects = {square(true, false)};
    scene.objects[0].mesh.faceGroups = {{"Red", {0, 1}}};
    expectNear(drawAndRead(scene, none), 0, 0, 255);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(Scene3dsDraw, APictureBesideTheSceneIsDrawnAndAMissingOneLeavesTheColour)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("kerb_scene3ds_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    Bytes picture = flatBmp(0, 200, 0);
    std::ofstream((dir / "grass.bmp").string(), std::ios::binary)
        .write((const char*)picture.data(), (std::streamsize)picture.size());

    Scene3ds scene;
    scene.materials = {Scene3dsMaterial{"Grass", {}, {true, 1, 1, 1}, {}, "MAPS\\GRASS.BMP"},
                       Scene3dsMaterial{"Lost", {}, {true, 1, 1, 0}, {}, "lost.bmp"},
                       Scene3dsMaterial{"Photo", {}, {true, 0, 1, 1}, {}, "photo.jpg"}};
    scene.objects = {square(false, true)};
    std::vector<std::string> problems;
    Scene3dsTextures textures = loadScene3dsTextures(scene, {dir.string()}, &problems);
    ASSERT_EQ(textures.names.size(), 3u);
    EXPECT_NE(textures.names[0], 0u);
    EXPECT_EQ(textures.names[1], 0u);
    EXPECT_EQ(textures.names[2], 0u);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "Lost: texture lost.bmp not found; drawn untextured");
    EXPECT_EQ(problems[1], "Photo: texture photo.jpg is not a BMP picture; drawn untextured");

    scene.objects[0].mesh.faceGroups = {{"Grass", {0, 1}}};
    expectNear(drawAndRead(scene, textures), 0, 200, 0);
    scene.objects[0].mesh.faceGroups = {{"Lost", {0, 1}}};
    expectNear(drawAndRead(scene, textures), 255, 255, 0);
    // A mesh without mapping draws its picture's material in the plain colour.
    scene.objects = {square(false, false)};
    scene.objects[0].mesh.faceGroups = {{"Grass", {0, 1}}};
    expectNear(drawAndRead(scene, textures), 255, 255, 255);
    // The drawing leaves no texturing switched on behind it.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    releaseScene3dsTextures(textures);
    EXPECT_TRUE(textures.names.empty());
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    std::filesystem::remove_all(dir);
}

}  // namespace test_scene3ds_draw
