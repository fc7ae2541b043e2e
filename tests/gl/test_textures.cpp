// Texture slots under a real GL context: the whole slot table from the generated data,
// tight rows of odd widths, and the message box and end of the program on an unusable
// picture (the reader only names the problem; loadTexture shows it and exits).
#include "platform/message_box.h"
#include "world/textures_gl.h"

#include <GL/gl.h>
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

namespace {

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

// Level 0 of the texture bound to GL_TEXTURE_2D, rows without gaps.
Bytes readLevelZero(GLint* width, GLint* height)
{
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    Bytes texels((size_t)*width * *height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
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

TEST(slotTextures, TheWholeTableFromTheGeneratedData)
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

TEST(slotTextures, OddWidthsUploadTightRowsBottomRowFirst)
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

TEST(TextureSlotsDeathTest, AnUnusablePictureEndsTheProgramWithStatusOne)
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

}  // namespace
