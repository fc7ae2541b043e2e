// The browser's PNG encoder (web/device/png_encode.cpp): zlib, an independent decoder, must
// read back exactly the pixels given, top row first, through every chunk's CRC.
// Depends on: web/device/png_encode.h, zlib, GoogleTest.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "web/device/png_encode.h"

namespace test_png_encode {

const size_t SIGNATURE_SIZE = 8;

uint32_t bigEndian32(const uint8_t* p) { return (uint32_t)p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// The picture's rows, top first, as a decoder sees them; empty when any check fails.
std::vector<uint8_t> decodedRows(const std::vector<uint8_t>& png, int width, int height)
{
    std::vector<uint8_t> idat;
    for (size_t pos = SIGNATURE_SIZE; pos + 12 <= png.size();) {
        uint32_t length = bigEndian32(&png[pos]);
        const uint8_t* type = &png[pos + 4];
        if (crc32(0, type, length + 4) != bigEndian32(type + 4 + length)) return {};
        if (std::string((const char*)type, 4) == "IHDR" &&
            (bigEndian32(type + 4) != (uint32_t)width || bigEndian32(type + 8) != (uint32_t)height))
            return {};
        if (std::string((const char*)type, 4) == "IDAT")
            idat.insert(idat.end(), type + 4, type + 4 + length);
        pos += 12 + length;
    }
    uLongf rawSize = (uLongf)(width * 3 + 1) * height;
    std::vector<uint8_t> raw(rawSize);
    if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK ||
        rawSize != raw.size())
        return {};
    std::vector<uint8_t> rows;
    for (int y = 0; y < height; ++y) {
        const uint8_t* line = &raw[(size_t)y * (width * 3 + 1)];
        if (line[0] != 0) return {};  // the encoder writes every row unfiltered
        rows.insert(rows.end(), line + 1, line + 1 + width * 3);
    }
    return rows;
}

TEST(PngEncode, DecodesToTheSamePixelsTopRowFirst)
{
    // One pixel; a picture spanning several stored blocks (over 64 KiB); a screen's width.
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {150, 160}, {1024, 3}};
    for (const auto& size : sizes) {
        std::vector<uint8_t> bottomUp((size_t)size.width * size.height * 3);
        for (size_t i = 0; i < bottomUp.size(); ++i) bottomUp[i] = (uint8_t)(i * 7 + i / 251);
        std::vector<uint8_t> expected;
        for (int row = size.height - 1; row >= 0; --row)
            expected.insert(expected.end(), &bottomUp[(size_t)row * size.width * 3],
                            &bottomUp[(size_t)(row + 1) * size.width * 3]);
        std::vector<uint8_t> png = encodePngRgb(bottomUp.data(), size.width, size.height);
        ASSERT_GT(png.size(), SIGNATURE_SIZE) << size.width << "x" << size.height;
        EXPECT_EQ(decodedRows(png, size.width, size.height), expected)
            << size.width << "x" << size.height;
    }
}

TEST(PngEncode, RefusesSidesItCannotWrite)
{
    uint8_t pixel[3] = {1, 2, 3};
    EXPECT_TRUE(encodePngRgb(pixel, 0, 1).empty());
    EXPECT_TRUE(encodePngRgb(pixel, 1, -1).empty());
    EXPECT_TRUE(encodePngRgb(pixel, PNG_MAX_SIDE + 1, 1).empty());
    EXPECT_TRUE(encodePngRgb(nullptr, 1, 1).empty());
}

}  // namespace test_png_encode
