// Texture slots under a real GL context: the whole slot table from the generated data,
// tight rows of odd widths, our mipmap levels against GLU's, the hand picture's scissored
// bands against the whole quad, and the message box and end of the program on an unusable
// picture (the reader only names the problem; loadTexture shows it and exits).
#include "platform/message_box.h"
#include "world/hand_bands.h"
#include "world/mipmaps.h"
#include "world/textures_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace test_textures {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

std::string writeTemp(const char* name, const Bytes& bytes)
{
    std::string unique = std::to_string(getpid()) + "_" + name;
    std::string path = (std::filesystem::temp_directory_path() / unique).string();
    std::ofstream(path, std::ios::binary)
        .write((const char*)bytes.data(), (std::streamsize)bytes.size());
    return path;
}

// A 24-bit file from RGB pixels given bottom row first.
Bytes bmp24(int width, int height, const Bytes& rgb, uint32_t headerSize = 40)
{
    uint32_t stride = (width * 3 + 3) / 4 * 4;
    Bytes b = {'B', 'M'};
    put32(b, 14 + headerSize + stride * (uint32_t)height);
    put32(b, 0), put32(b, 14 + headerSize), put32(b, headerSize), put32(b, (uint32_t)width);
    put32(b, (uint32_t)height), put32(b, 1 | 24 << 16);
    b.resize(14 + headerSize, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[((size_t)y * width + x) * 3];
            b.insert(b.end(), {p[2], p[1], p[0]});
        }
        b.resize(b.size() + (stride - width * 3), 0);
    }
    return b;
}

// A level of the texture bound to GL_TEXTURE_2D, rows without gaps.
Bytes readLevel(GLint level, GLint* width, GLint* height)
{
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, height);
    Bytes texels((size_t)*width * *height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

Bytes readLevelZero(GLint* width, GLint* height) { return readLevel(0, width, height); }

// Bytes of a fixed pseudo-random sequence.
Bytes noise(size_t count, uint32_t seed)
{
    Bytes b(count);
    for (uint8_t& v : b) v = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    return b;
}

// The whole window as RGB bytes.
Bytes readWindow(GLint width, GLint height)
{
    Bytes pixels((size_t)width * height * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

// Loads the bytes as a picture into slot 12 of a fresh table and returns the name.
unsigned int loadFromBytes(const Bytes& file)
{
    std::string path = writeTemp("kerb_texture_test.bmp", file);
    unsigned int slots[TEXTURE_SLOT_COUNT] = {};
    loadTexture(slots, path.c_str(), 12);
    std::remove(path.c_str());
    return slots[12];
}

GLint integer(GLenum what)
{
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

TEST(Textures, TheWholeTableFromTheGeneratedData)
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    if (!dir) GTEST_SKIP() << "KERB_DATA_DIR is not set";
    for (int i = 0; i < textureFileCount; ++i)
        if (access((std::string(dir) + "/" + textureFiles[i].path).c_str(), R_OK) != 0)
            GTEST_SKIP() << "the generated data lacks " << textureFiles[i].path;
    std::string saved = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(dir), 0);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);  // not the default, so a reset would show
    unsigned int slots[TEXTURE_SLOT_COUNT] = {};
    auto start = std::chrono::steady_clock::now();
    loadAllTextures(slots);
    glFinish();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("loadAllTextures: %d pictures in %.0f ms\n", textureFileCount, ms);
    RecordProperty("loadAllTexturesMs", (int)ms);
    ASSERT_EQ(chdir(saved.c_str()), 0);

    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_EQ(slots[6], 0u);
    EXPECT_EQ(slots[20], 0u);
    std::set<unsigned int> names;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        if (slot == 6 || slot == 20) continue;
        EXPECT_NE(slots[slot], 0u) << "slot " << slot;
        EXPECT_TRUE(glIsTexture(slots[slot])) << "slot " << slot;
        names.insert(slots[slot]);
    }
    EXPECT_EQ(names.size(), 49u);
    EXPECT_EQ((GLuint)integer(GL_TEXTURE_BINDING_2D), slots[50]);

    // Filters as the street needs them, and a mipmap chain down to one texel.
    GLint minFilter = 0, magFilter = 0, width = 0, level = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(magFilter, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, slots[17]);
    do glGetTexLevelParameteriv(GL_TEXTURE_2D, level++, GL_TEXTURE_WIDTH, &width);
    while (width > 1 && level < 20);
    EXPECT_EQ(width, 1);
    glDeleteTextures(TEXTURE_SLOT_COUNT, slots);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(Textures, OddWidthsUploadTightRowsBottomRowFirst)
{
    // One pixel wide needs no rescaling, so every texel can be compared exactly: rows of
    // 3 bytes read with a 4-byte alignment would run into each other.
    const Bytes column = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};  // bottom row first
    unsigned int name = loadFromBytes(bmp24(1, 4, column));
    ASSERT_NE(name, 0u);
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 4);
    GLint width = 0, height = 0;
    EXPECT_EQ(readLevelZero(&width, &height), column);
    glDeleteTextures(1, &name);

    // Wider odd pictures are rescaled by GLU, which blends neighbours. With each row one
    // colour every texel row must still be one colour; a row that ran into the next would
    // bring a foreign colour into its end. Three rows make GLU rescale the height too.
    const uint8_t rows[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (int w : {7, 13}) {
        SCOPED_TRACE(w);
        Bytes rgb;
        for (const auto& row : rows)
            for (int x = 0; x < w; ++x) rgb.insert(rgb.end(), row, row + 3);
        name = loadFromBytes(bmp24(w, 3, rgb));
        ASSERT_NE(name, 0u);
        Bytes texels = readLevelZero(&width, &height);
        ASSERT_GT(width, w / 2);
        for (int y = 0; y < height; ++y)
            for (int x = 1; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(texels[((size_t)y * width + x) * 3 + c],
                                texels[(size_t)y * width * 3 + c], 1)
                        << "texel " << x << "," << y << " channel " << c;
        // The bottom row of the picture is texel row 0.
        EXPECT_GT(texels[0], 200);
        EXPECT_GT(texels[((size_t)(height - 1) * width) * 3 + 2], 200);
        glDeleteTextures(1, &name);
    }
}

TEST(Textures, OwnMipmapsAreGlusBitForBit)
{
    // Shapes that reach one texel on one side long before the other, both ways round.
    const int sizes[][2] = {{1, 1}, {1, 8}, {8, 1}, {2, 16}, {16, 2}, {4, 4}, {32, 8}, {64, 128}};
    for (const auto& size : sizes) {
        int w = size[0], h = size[1];
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Bytes rgb = noise((size_t)w * h * 3, (uint32_t)(w * 1000 + h));
        unsigned int ours = loadFromBytes(bmp24(w, h, rgb));
        ASSERT_NE(ours, 0u);
        GLuint glus = 0;
        glGenTextures(1, &glus);
        glBindTexture(GL_TEXTURE_2D, glus);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        int levels = mipmapLevelCount(w, h);
        for (int level = 0; level < levels; ++level) {
            GLint ow = 0, oh = 0, gw = 0, gh = 0;
            glBindTexture(GL_TEXTURE_2D, glus);
            Bytes expected = readLevel(level, &gw, &gh);
            glBindTexture(GL_TEXTURE_2D, ours);
            Bytes got = readLevel(level, &ow, &oh);
            EXPECT_EQ(ow, gw) << "level " << level;
            EXPECT_EQ(oh, gh) << "level " << level;
            EXPECT_TRUE(got == expected) << "level " << level;
        }
        GLint below = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels, GL_TEXTURE_WIDTH, &below);
        EXPECT_EQ(below, 0);
        glDeleteTextures(1, &glus);
        glDeleteTextures(1, &ours);
    }
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(Textures, HandBandsAddTheSamePixelsAsTheWholeQuad)
{
    // A black picture with a few bright texels, some on its edges (where the picture repeats
    // into the other side), drawn added onto grey over rectangles that magnify it, shrink it
    // to a quarter and cut it at fractions of a pixel.
    const int side = 64;
    Bytes rgb((size_t)side * side * 3, 0);
    const int lit[][2] = {{0, 30}, {63, 10}, {20, 0}, {40, 63}, {31, 31}, {33, 32}, {50, 12}};
    for (const auto& t : lit) rgb[((size_t)t[1] * side + t[0]) * 3 + t[0] % 3] = 200;
    unsigned int name = loadFromBytes(bmp24(side, side, rgb));
    AddingRows rows;
    measureAddingRows(rgb.data(), side, side, rows);
    ASSERT_EQ(rows.width, side);

    // the test entry point's window; other tests may have left a viewport of their own.
    const GLint WINDOW_SIDE = 256;
    const GLint w = WINDOW_SIDE, h = WINDOW_SIDE;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // As the HUD draws: no depth, lighting or culling (the quad runs clockwise on screen).
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glBlendFunc(GL_ONE, GL_ONE);
    glClearColor(0.25f, 0.25f, 0.25f, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    const Bytes grey = readWindow(w, h);
    const float rects[][4] = {{0, 85, 170, 256}, {0, 0, 256, 256}, {10.5f, 40.25f, 200.75f, 250},
                              {0, 200, 30, 256}, {3, 7, 19, 29}};
    for (const auto& r : rects) {
        SCOPED_TRACE(std::to_string(r[0]) + "," + std::to_string(r[1]) + " - " +
                     std::to_string(r[2]) + "," + std::to_string(r[3]));
        Bytes drawn[2];
        int bandsDrawn = 0;
        for (int banded = 0; banded < 2; ++banded) {
            glClear(GL_COLOR_BUFFER_BIT);
            glEnable(GL_BLEND);
            glColor3f(1, 1, 0);
            for (int band = 0; band < (banded ? HAND_BAND_COUNT : 1); ++band) {
                ScissorBox box;
                if (banded) {
                    if (!handBandBox(rows, r[0], r[1], r[2], r[3], h, band, HAND_BAND_COUNT, box))
                        continue;
                    glEnable(GL_SCISSOR_TEST);
                    glScissor(box.x, box.y, box.width, box.height);
                    ++bandsDrawn;
                }
                glBegin(GL_QUADS);
                glTexCoord2f(0, 1), glVertex2f(r[0], r[1]);
                glTexCoord2f(1, 1), glVertex2f(r[2], r[1]);
                glTexCoord2f(1, 0), glVertex2f(r[2], r[3]);
                glTexCoord2f(0, 0), glVertex2f(r[0], r[3]);
                glEnd();
                glDisable(GL_SCISSOR_TEST);
            }
            glDisable(GL_BLEND);
            drawn[banded] = readWindow(w, h);
        }
        EXPECT_GT(bandsDrawn, 0);
        EXPECT_TRUE(drawn[0] != grey);
        EXPECT_TRUE(drawn[0] == drawn[1]);
    }
    glClearColor(0, 0, 0, 0);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glDeleteTextures(1, &name);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(TexturesDeathTest, AnUnusablePictureEndsTheProgramWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    messageBoxSetNonBlocking(true);
    unsigned int slots[TEXTURE_SLOT_COUNT] = {};
    // The death test runs this body again in a child process, which leaves by exit():
    // each process removes its own file then.
    static std::string later;
    later = writeTemp("kerb_v5_header.bmp", bmp24(2, 2, Bytes(12, 0), 124));
    std::atexit([] { std::remove(later.c_str()); });
    EXPECT_EXIT(loadTexture(slots, later.c_str(), 3), testing::ExitedWithCode(1),
                "Error: Unknown DIB file format\\.");
    EXPECT_EXIT(loadTexture(slots, "textures/no-such-picture.bmp", 3), testing::ExitedWithCode(1),
                "Error: Failed to open DIB file textures/no-such-picture\\.bmp\\.");
    // An empty file has nothing to map: the open message too, not a conversion error.
    static std::string empty;
    empty = writeTemp("kerb_empty.bmp", Bytes());
    std::atexit([] { std::remove(empty.c_str()); });
    EXPECT_EXIT(loadTexture(slots, empty.c_str(), 3), testing::ExitedWithCode(1),
                "Error: Failed to open DIB file .*kerb_empty\\.bmp\\.");
}

}  // namespace test_textures
