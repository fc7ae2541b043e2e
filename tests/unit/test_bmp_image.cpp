// BMP reader: files from an independent encoder (ImageMagick), hand-made layouts, every
// way a damaged file is refused, and damaged files that must never crash the reader.
#include "world/bmp_image.h"

#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace test_bmp_image {

using Bytes = std::vector<uint8_t>;

// ---- Decoding into something easy to compare -------------------------------------------

struct Decoded {
    std::string error;  // empty on success
    int width = 0, height = 0;
    Bytes pixels;       // bottom row first, as the reader delivers
    BmpInfo info{};
    const uint8_t* at(int x, int yFromTop) const
    {
        return &pixels[((size_t)(height - 1 - yFromTop) * width + x) * 3];
    }
};

Decoded decode(const Bytes& file)
{
    Decoded d;
    RgbImage image;
    const char* error = decodeBmpImage(file.data(), file.size(), &image, &d.info);
    if (error) {
        d.error = error;
        EXPECT_EQ(image.pixels, nullptr);
        return d;
    }
    d.width = image.width;
    d.height = image.height;
    d.pixels.assign(image.pixels, image.pixels + (size_t)image.width * image.height * 3);
    std::free(image.pixels);
    return d;
}

// ---- Hand-made files -------------------------------------------------------------------

void put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF), put16(b, v >> 16); }

struct Bmp {
    uint32_t headerSize = 40;
    int32_t width = 2, height = 2;
    uint32_t bits = 24, compression = 0, colorsUsed = 0;
    std::vector<uint32_t> masks;  // written right after a 40-byte header
    Bytes table;                  // raw colour entries
    Bytes pixels;
    bool fileHeader = true;
    int64_t dataOffset = -1;      // -1: right after the table
};

Bytes build(const Bmp& m)
{
    Bytes info;
    put32(info, m.headerSize);
    if (m.headerSize == 12) {
        put16(info, (uint32_t)m.width), put16(info, (uint32_t)m.height), put16(info, 1);
        put16(info, m.bits);
    } else {
        put32(info, (uint32_t)m.width), put32(info, (uint32_t)m.height), put16(info, 1);
        put16(info, m.bits), put32(info, m.compression), put32(info, (uint32_t)m.pixels.size());
        put32(info, 2835), put32(info, 2835), put32(info, m.colorsUsed), put32(info, 0);
        info.resize(std::max<size_t>(info.size(), m.headerSize), 0);
        for (uint32_t mask : m.masks) put32(info, mask);
    }
    info.insert(info.end(), m.table.begin(), m.table.end());
    Bytes out;
    if (m.fileHeader) {
        uint32_t offset = m.dataOffset >= 0 ? (uint32_t)m.dataOffset : 14 + (uint32_t)info.size();
        out = {'B', 'M'};
        put32(out, 14 + (uint32_t)(info.size() + m.pixels.size())), put32(out, 0),
            put32(out, offset);
    }
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), m.pixels.begin(), m.pixels.end());
    return out;
}

// Entry i is red 255-i, green 2i, blue i (stored blue first).
Bytes table(int entries, int entrySize = 4)
{
    Bytes t;
    for (int i = 0; i < entries; ++i) {
        t.insert(t.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(255 - i)});
        if (entrySize == 4) t.push_back(0);
    }
    return t;
}

void expectEntry(const uint8_t* rgb, int i)
{
    EXPECT_EQ(rgb[0], 255 - i);
    EXPECT_EQ(rgb[1], uint8_t(2 * i));
    EXPECT_EQ(rgb[2], i);
}

// An RLE picture 4 wide with an 8-entry table.
Bmp runLength(uint32_t compression, int height, Bytes data)
{
    Bmp m;
    m.width = 4, m.height = height, m.bits = compression == BMP_COMPRESSION_RLE8 ? 8 : 4;
    m.compression = compression, m.colorsUsed = 8, m.table = table(8), m.pixels = std::move(data);
    return m;
}

// ---- Layout facts ----------------------------------------------------------------------

TEST(BmpLayout, ThreePixelRowsAreNineBytesRedFirstWithoutFiller)
{
    Bmp m;
    m.width = 3, m.height = 2;
    // Stored bottom row first, blue-green-red, each row padded to 12 bytes.
    m.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,
                11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE};
    Decoded d = decode(build(m));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11, 16, 15, 14, 19, 18, 17}));
}

TEST(BmpLayout, ColoursUsedZeroMeansAFullTableAndSixteenMeansSixteen)
{
    Bmp full;
    full.width = 1, full.height = 1, full.bits = 8, full.table = table(256);
    full.pixels = {200, 0, 0, 0};
    Decoded d = decode(build(full));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.info.paletteEntries, 256u);
    expectEntry(d.at(0, 0), 200);

    // Without a file header the pixels start right after the 16 entries.
    Bmp sixteen = full;
    sixteen.colorsUsed = 16, sixteen.table = table(16), sixteen.fileHeader = false;
    sixteen.pixels = {15, 0, 0, 0};
    d = decode(build(sixteen));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.info.paletteEntries, 16u);
    expectEntry(d.at(0, 0), 15);
    sixteen.pixels[0] = 16;
    EXPECT_EQ(decode(build(sixteen)).error, BMP_CONVERSION_ERROR);
}

// ---- Run-length data -------------------------------------------------------------------

TEST(BmpRunLength, Rle8RunsJumpsAndAbsoluteRuns)
{
    // Bottom row: two of 5; jump one right, one up; one 7; end of line; absolute 1 2 3.
    Bmp m = runLength(BMP_COMPRESSION_RLE8, 3,
                      {2, 5, 0, 2, 1, 1, 1, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1});
    Decoded d = decode(build(m));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.info.compression, BMP_COMPRESSION_RLE8);
    const int expected[3][4] = {{5, 5, -1, -1}, {-1, -1, -1, 7}, {1, 2, 3, -1}};  // bottom up
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(testing::Message() << "x " << x << " row " << y);
            const uint8_t* px = &d.pixels[(y * 4 + x) * 3];
            if (expected[y][x] < 0)
                EXPECT_EQ(px[0] | px[1] | px[2], 0);  // never written: black
            else
                expectEntry(px, expected[y][x]);
        }
}

TEST(BmpRunLength, Rle4AlternatesNibblesAndPadsAbsoluteRuns)
{
    // Bottom row: absolute 1..5 (three bytes, padded); end of line; 6 7, then absolute 1 2 3.
    Bmp m = runLength(BMP_COMPRESSION_RLE4, 2,
                      {0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 2, 0x67, 0, 3, 0x12, 0x30, 0, 1});
    m.width = 5;
    Decoded d = decode(build(m));
    ASSERT_EQ(d.error, "");
    const int expected[10] = {1, 2, 3, 4, 5, 6, 7, 1, 2, 3};
    for (int i = 0; i < 10; ++i) expectEntry(&d.pixels[i * 3], expected[i]);
}

// ---- Refusals --------------------------------------------------------------------------

void fields(Bmp& m, uint32_t bits, std::vector<uint32_t> masks)
{
    m.bits = bits, m.compression = BMP_COMPRESSION_BITFIELDS, m.masks = std::move(masks);
}

struct Refusal {
    const char* what;
    std::function<void(Bmp&)> change;
    const char* error;
};

TEST(BmpRefusals, EveryDamagedHeaderOrPixelBlockGivesItsMessage)
{
    const char* conv = BMP_CONVERSION_ERROR;
    const std::vector<Refusal> cases = {
        {"header of 108 bytes", [](Bmp& m) { m.headerSize = 108; }, BMP_UNKNOWN_FORMAT},
        {"header of 124 bytes", [](Bmp& m) { m.headerSize = 124; }, BMP_UNKNOWN_FORMAT},
        {"header of 64 bytes", [](Bmp& m) { m.headerSize = 64; }, BMP_UNKNOWN_FORMAT},
        {"zero width", [](Bmp& m) { m.width = 0; }, conv},
        {"negative width", [](Bmp& m) { m.width = -2; }, conv},
        {"huge width", [](Bmp& m) { m.width = 16385; }, conv},
        {"zero height", [](Bmp& m) { m.height = 0; }, conv},
        {"lowest height", [](Bmp& m) { m.height = INT32_MIN; }, conv},
        {"bit count 2", [](Bmp& m) { m.bits = 2; }, conv},
        {"bit count 0", [](Bmp& m) { m.bits = 0; }, conv},
        {"RLE8 on 24 bits", [](Bmp& m) { m.compression = BMP_COMPRESSION_RLE8; }, conv},
        {"bit fields on 24 bits", [](Bmp& m) { m.compression = BMP_COMPRESSION_BITFIELDS; }, conv},
        {"JPEG inside", [](Bmp& m) { m.compression = 4; }, conv},
        {"data offset past the end", [](Bmp& m) { m.dataOffset = 1000; }, conv},
        {"data offset inside the header", [](Bmp& m) { m.dataOffset = 20; }, conv},
        {"pixel data short", [](Bmp& m) { m.pixels.resize(m.pixels.size() - 3); }, conv},
        {"colours used absurd", [](Bmp& m) { m.colorsUsed = 70000; }, conv},
        {"colour table past the end", [](Bmp& m) { m.colorsUsed = 200; }, conv},
        {"palette index past the table",
         [](Bmp& m) {
             m.bits = 8, m.colorsUsed = 3, m.table = table(3), m.pixels = {0, 3, 0, 0, 1, 2, 0, 0};
         },
         conv},
        {"1-bit index past a one-entry table",
         [](Bmp& m) {
             m.bits = 1, m.colorsUsed = 1, m.table = table(1),
             m.pixels = {0x40, 0, 0, 0, 0, 0, 0, 0};
         },
         conv},
        {"mask past 16 bits", [](Bmp& m) { fields(m, 16, {0x1F0000, 0x3E0, 0x1F}); }, conv},
        {"broken mask", [](Bmp& m) { fields(m, 32, {0xF0F000, 0xFF00, 0xFF}); }, conv},
        {"zero mask", [](Bmp& m) { fields(m, 32, {0, 0xFF00, 0xFF}); }, conv},
        {"masks cut off",
         [](Bmp& m) { m.bits = 32, m.compression = 3, m.fileHeader = false, m.pixels = {}; }, conv},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        Bmp m;  // a valid 2x2 24-bit picture until changed
        m.pixels = Bytes(16, 0x80);
        c.change(m);
        EXPECT_EQ(decode(build(m)).error, c.error);
    }
}

TEST(BmpRefusals, TruncatedHeadersAreConversionErrors)
{
    Bmp m;
    m.pixels = Bytes(16, 0);
    Bytes file = build(m);
    for (size_t cut : {size_t(1), size_t(2), size_t(10), size_t(17), size_t(30), size_t(53)}) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(decode(Bytes(file.begin(), file.begin() + cut)).error, BMP_CONVERSION_ERROR);
    }
}

TEST(BmpRefusals, RunLengthCodesThatLeaveThePicture)
{
    const uint32_t rle8 = BMP_COMPRESSION_RLE8, rle4 = BMP_COMPRESSION_RLE4;
    struct Case {
        const char* what;
        uint32_t compression;
        int height;
        Bytes data;
    } cases[] = {
        {"run past the stored row", rle8, 2, {5, 1, 0, 1}},
        {"absolute run past the stored row", rle8, 2, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}},
        {"run past the last row", rle8, 1, {4, 1, 0, 0, 1, 1, 0, 1}},
        {"end of line past the last row", rle8, 1, {0, 0, 0, 0, 0, 1}},
        {"jump past the row", rle8, 2, {0, 2, 5, 0, 0, 1}},
        {"jump past the picture", rle8, 2, {0, 2, 0, 3, 0, 1}},
        {"index past the table", rle8, 2, {2, 9, 0, 1}},
        {"absolute index past the table", rle8, 2, {0, 3, 1, 8, 1, 0, 0, 1}},
        {"data ends inside the picture", rle8, 2, {4, 1}},
        {"absolute run cut short", rle8, 2, {0, 4, 1, 2}},
        {"jump cut short", rle8, 2, {0, 2, 1}},
        {"RLE4 run past the stored row", rle4, 2, {9, 0x11, 0, 1}},
        {"RLE4 nibble past the table", rle4, 2, {2, 0x19, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decode(build(runLength(c.compression, c.height, c.data))).error,
                  BMP_CONVERSION_ERROR);
    }
    Bmp topDown = runLength(rle8, -2, {0, 1});
    EXPECT_EQ(decode(build(topDown)).error, BMP_CONVERSION_ERROR);
    // Two bytes cannot describe a quarter of a billion pixels.
    Bmp huge = runLength(rle8, 16384, {0, 1});
    huge.width = 16384;
    EXPECT_EQ(decode(build(huge)).error, BMP_CONVERSION_ERROR);
}

// ---- Sizes, budgets and reasons ---------------------------------------------------------

std::string tempPathForReasons(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name)).string();
}

std::string reasonFor(const Bytes& file, const char* expectedMessage)
{
    RgbImage image;
    std::string reason;
    EXPECT_EQ(decodeBmpImage(file.data(), file.size(), &image, nullptr, &reason), expectedMessage);
    EXPECT_EQ(image.pixels, nullptr);
    return reason;
}

// Each refusal keeps the box's fixed text and names its exact cause.
TEST(BmpLimits, EveryRefusalHasItsReason)
{
    const char* conv = BMP_CONVERSION_ERROR;
    const struct {
        const char* what;
        std::function<void(Bmp&)> change;
        const char* message;
        const char* reason;
    } cases[] = {
        {"header of 124 bytes", [](Bmp& m) { m.headerSize = 124; }, BMP_UNKNOWN_FORMAT,
         "an info header of 124 bytes (only 12 and 40 are read)"},
        {"zero width", [](Bmp& m) { m.width = 0; }, conv,
         "a size of 0 x 2 pixels (both sides must be 1 or more)"},
        {"one past the largest side", [](Bmp& m) { m.width = 4097; }, conv,
         "a size of 4097 x 2 pixels, larger than the largest picture the game uses (4096 x 4096)"},
        {"the old reader's limit", [](Bmp& m) { m.width = 16384, m.height = -16384; }, conv,
         "a size of 16384 x 16384 pixels, larger than the largest picture the game uses (4096 x 4096)"},
        {"bit count 2", [](Bmp& m) { m.bits = 2; }, conv,
         "2 bits per pixel (1, 4, 8, 16, 24 or 32 are read)"},
        {"JPEG inside", [](Bmp& m) { m.compression = 4; }, conv,
         "compression 4 (unknown) with 24 bits per pixel"},
        {"colour table past the end", [](Bmp& m) { m.colorsUsed = 200; }, conv,
         "a colour table of 200 entries that ends past the file's 70 bytes"},
        {"data offset past the end", [](Bmp& m) { m.dataOffset = 1000; }, conv,
         "pixel data said to start at byte 1000, outside 54 to 70"},
        {"pixel data short", [](Bmp& m) { m.pixels.resize(13); }, conv,
         "14 bytes of pixel data needed for 2 x 2 at 24 bits, the file holds 13"},
        {"broken mask", [](Bmp& m) { fields(m, 32, {0xF0F000, 0xFF00, 0xFF}); }, conv,
         "colour mask 0xF0F000 is not one run of bits inside a 32-bit pixel"},
        {"palette index past the table",
         [](Bmp& m) {
             m.bits = 8, m.colorsUsed = 3, m.table = table(3), m.pixels = {0, 3, 0, 0, 1, 2, 0, 0};
         },
         conv, "colour index 3 in a table of 3 entries"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bmp m;
        m.pixels = Bytes(16, 0x80);
        c.change(m);
        EXPECT_EQ(reasonFor(build(m), c.message), c.reason);
    }
    EXPECT_EQ(reasonFor(Bytes{'B', 'M', 0}, conv), "the file ends inside its file header (3 bytes)");
    EXPECT_EQ(reasonFor(build(runLength(BMP_COMPRESSION_RLE8, 2, {4, 1})), conv),
              "run-length data end at row 0 of 2");
}

// A header claiming the largest picture in a file that cannot hold it is refused from the
// sizes alone; the same header over all its bytes decodes.
TEST(BmpLimits, TheLargestPictureOnlyWithAllItsPixels)
{
    Bmp m;
    m.width = 4096, m.height = 4096, m.bits = 8, m.colorsUsed = 2, m.table = table(2);
    m.pixels = Bytes(300, 1);
    EXPECT_EQ(reasonFor(build(m), BMP_CONVERSION_ERROR),
              "16777216 bytes of pixel data needed for 4096 x 4096 at 8 bits, the file holds 300");
    m.pixels = Bytes((size_t)4096 * 4096, 1);
    Decoded d = decode(build(m));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.width, 4096);
    EXPECT_EQ(d.height, 4096);
    expectEntry(d.at(4095, 0), 1);
}

// Run-length data may not describe more than 256 pixels per byte (beyond a free megapixel)
// nor a picture past the largest side, whatever its bytes say.
TEST(BmpLimits, RunLengthExpansionStaysInsideTheBudget)
{
    Bmp huge = runLength(BMP_COMPRESSION_RLE8, 16384, Bytes(1 << 20, 0));
    huge.width = 16384;
    EXPECT_EQ(reasonFor(build(huge), BMP_CONVERSION_ERROR),
              "a size of 16384 x 16384 pixels, larger than the largest picture the game uses "
              "(4096 x 4096)");
    Bmp dense = runLength(BMP_COMPRESSION_RLE8, 4096, Bytes(40000, 0));
    dense.width = 4096;
    EXPECT_EQ(reasonFor(build(dense), BMP_CONVERSION_ERROR),
              "4096 x 4096 pixels from 40000 bytes of run-length data (at most 256 pixels a byte)");
}

// Some converters write 16-bit bit-field files whose pixels start right after the 40-byte
// header, where the masks would be: 5-6-5 is what they mean.
TEST(BmpLimits, SixteenBitFieldsWithoutRoomForTheMasksReadAsFiveSixFive)
{
    Bmp m;
    m.width = 2, m.height = 1, m.bits = 16, m.compression = BMP_COMPRESSION_BITFIELDS;
    m.pixels = {0x00, 0xF8, 0xE0, 0x07};  // pure red, pure green in 5-6-5
    Decoded d = decode(build(m));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.at(0, 0)[0], 255);
    EXPECT_EQ(d.at(0, 0)[1], 0);
    EXPECT_EQ(d.at(1, 0)[0], 0);
    EXPECT_EQ(d.at(1, 0)[1], 255);
    EXPECT_EQ(d.at(1, 0)[2], 0);
    // With its masks present, a 5-5-5 file keeps them.
    fields(m, 16, {0x7C00, 0x03E0, 0x001F});
    m.pixels = {0x00, 0x7C, 0xE0, 0x03};
    d = decode(build(m));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.at(0, 0)[0], 255);
    EXPECT_EQ(d.at(1, 0)[1], 255);
    // A 32-bit file has no such reading: its masks must be there.
    Bmp wide;
    wide.width = 1, wide.height = 1, wide.bits = 32, wide.compression = BMP_COMPRESSION_BITFIELDS;
    wide.pixels = Bytes(4, 0xFF);
    EXPECT_EQ(decode(build(wide)).error, BMP_CONVERSION_ERROR);
}

TEST(BmpFiles, TheReasonNamesWhatIsInThePlaceOfAFile)
{
    std::string fifo = tempPathForReasons("kerb_bmp_reason_fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{"no/such/picture.bmp", "missing"},
                 {std::filesystem::temp_directory_path().string(), "a directory"},
                 {fifo, "not a regular file"},
                 {"/dev/zero", "not a regular file"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string message, reason;
        EXPECT_EQ(loadBmpImage(c.path.c_str(), &message, &reason), nullptr);
        EXPECT_EQ(message, "Failed to open DIB file " + c.path + ".\n");
        EXPECT_EQ(reason, c.reason);
    }
    std::remove(fifo.c_str());
}

// ---- Files written by ImageMagick -----------------------------------------------------

struct Picture {
    int width, height;
    Bytes rgb;  // top row first
};

// Distinct colours; pattern runs of three so run-length encoders find runs.
Picture palettePicture(int width, int height, int colours)
{
    Picture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int i = (x / 3 + 7 * y) % colours;
            p.rgb.insert(p.rgb.end(),
                         {uint8_t(i * 53), uint8_t(i * 97 + 30), uint8_t(i * 151 + 60)});
        }
    return p;
}

// Every pixel different, with black and white at the top left.
Picture truecolourPicture(int width, int height)
{
    Picture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.rgb.insert(p.rgb.end(), {uint8_t(x * 37 + y * 101), uint8_t((x * 53) ^ (y * 29)),
                                       uint8_t(200 + x * 11 + y * 67)});
    for (int i = 0; i < 3; ++i) p.rgb[i] = 0, p.rgb[3 + i] = 255;
    return p;
}

uint32_t get32(const Bytes& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}
void set32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A 108- or 124-byte header begins with the 40-byte one and its three masks: keep those.
Bytes withInfoHeader(const Bytes& file)
{
    uint32_t headerSize = get32(file, 14);
    uint32_t keep = 40 + (get32(file, 30) == BMP_COMPRESSION_BITFIELDS ? 12 : 0);
    Bytes out(file.begin(), file.begin() + 14 + keep);
    out.insert(out.end(), file.begin() + 14 + headerSize, file.end());
    set32(out, 14, 40);
    set32(out, 10, get32(file, 10) - (headerSize - keep));
    return out;
}

// Same picture stored top-down: rows reversed, height negated.
Bytes storedTopDown(const Bytes& file)
{
    uint32_t offset = get32(file, 10), width = get32(file, 18), height = get32(file, 22);
    uint32_t stride = (width * (file[28] | file[29] << 8) + 31) / 32 * 4;
    Bytes out = file;
    for (uint32_t r = 0; r < height; ++r)
        std::copy_n(file.begin() + offset + r * stride, stride,
                    out.begin() + offset + (height - 1 - r) * stride);
    set32(out, 22, (uint32_t)-(int32_t)height);
    return out;
}

void expectPicture(const Decoded& d, const Picture& p, int tolerance = 0)
{
    ASSERT_EQ(d.error, "");
    ASSERT_EQ(d.width, p.width);
    ASSERT_EQ(d.height, p.height);
    int wrong = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int want = p.rgb[((size_t)y * p.width + x) * 3 + c], got = d.at(x, y)[c];
                if (std::abs(want - got) > tolerance && wrong++ == 0)
                    ADD_FAILURE() << "first difference at x " << x << " y " << y << " channel " << c
                                  << ": " << got << " instead of " << want;
            }
    EXPECT_EQ(wrong, 0);
}

class EncodedByImageMagick : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char name[] = "/tmp/kerb-bmp-XXXXXX";
        if (mkdtemp(name)) dir = name;
    }
    static void TearDownTestSuite()
    {
        std::error_code ignored;
        if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
    }

    // Writes the picture as PPM and has ImageMagick's convert turn it into a BMP.
    static Bytes encode(const Picture& p, const std::string& options, const std::string& format)
    {
        std::string src = dir + "/src.ppm", out = dir + "/out.bmp";
        std::ofstream ppm(src, std::ios::binary);
        ppm << "P6\n" << p.width << " " << p.height << "\n255\n";
        ppm.write((const char*)p.rgb.data(), (std::streamsize)p.rgb.size());
        ppm.close();
        std::remove(out.c_str());
        std::string command = "convert " + src + " " + options + " " + format + ":" + out;
        if (dir.empty() || std::system(command.c_str()) != 0) {
            ADD_FAILURE() << "ImageMagick's convert failed: " << command;
            return {};
        }
        std::ifstream in(out, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static std::string dir;
};
std::string EncodedByImageMagick::dir;

TEST_F(EncodedByImageMagick, TrueColourInBothHeaderFormsAndOddWidths)
{
    for (int width : {7, 13}) {
        SCOPED_TRACE(width);
        Picture p = truecolourPicture(width, 5);
        for (const char* format : {"BMP3", "BMP2"}) {
            Decoded d = decode(encode(p, "-type truecolor", format));
            expectPicture(d, p);
            EXPECT_EQ(d.info.bitCount, 24u);
            EXPECT_EQ(d.info.headerSize, format == std::string("BMP3") ? 40u : 12u);
        }
    }
}

TEST_F(EncodedByImageMagick, PalettesOfOneFourAndEightBits)
{
    const struct { int colours; uint32_t bits; } cases[] = {{2, 1}, {5, 4}, {40, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colours);
        Picture p = palettePicture(13, 6, c.colours);
        Bytes file = encode(p, "-type palette -compress none", "BMP3");
        Decoded d = decode(file);
        expectPicture(d, p);
        EXPECT_EQ(d.info.bitCount, c.bits);
        // The same file without its file header still reads.
        expectPicture(decode(Bytes(file.begin() + 14, file.end())), p);
        Decoded core = decode(encode(p, "-type palette", "BMP2"));
        expectPicture(core, p);
        EXPECT_EQ(core.info.headerSize, 12u);
        EXPECT_EQ(core.info.bitCount, c.bits);
    }
}

TEST_F(EncodedByImageMagick, RunLengthEncodedEightBit)
{
    for (int width : {7, 13, 16}) {
        SCOPED_TRACE(width);
        Picture p = palettePicture(width, 6, 40);
        Decoded d = decode(encode(p, "-type palette -compress RLE", "BMP3"));
        expectPicture(d, p);
        EXPECT_EQ(d.info.compression, BMP_COMPRESSION_RLE8);
    }
}

TEST_F(EncodedByImageMagick, ThirtyTwoBitPlainAndWithBitFields)
{
    Picture p = truecolourPicture(13, 4);
    Decoded plain = decode(encode(p, "-alpha set -define bmp3:alpha=true", "BMP3"));
    expectPicture(plain, p);
    EXPECT_EQ(plain.info.bitCount, 32u);
    Decoded fields = decode(withInfoHeader(
        encode(p, "-alpha set -channel A -evaluate set 50% +channel", "BMP")));
    expectPicture(fields, p);
    EXPECT_EQ(fields.info.compression, BMP_COMPRESSION_BITFIELDS);
}

TEST_F(EncodedByImageMagick, SixteenBitWithinTheStepOfFiveAndSixBitChannels)
{
    Picture p = truecolourPicture(13, 4);
    for (const char* subtype : {"RGB565", "RGB555"}) {
        SCOPED_TRACE(subtype);
        Bytes file = withInfoHeader(
            encode(p, std::string("-type truecolor -define bmp:subtype=") + subtype, "BMP"));
        Decoded d = decode(file);
        expectPicture(d, p, 8);
        EXPECT_EQ(d.info.bitCount, 16u);
        EXPECT_EQ(d.info.compression, BMP_COMPRESSION_BITFIELDS);
        // Full scale stays full scale.
        EXPECT_EQ(d.at(0, 0)[0] | d.at(0, 0)[1] | d.at(0, 0)[2], 0);
        EXPECT_EQ(d.at(1, 0)[0] & d.at(1, 0)[1] & d.at(1, 0)[2], 255);
        // Without its file header the pixels follow the masks.
        EXPECT_EQ(decode(Bytes(file.begin() + 14, file.end())).pixels, d.pixels);
    }
    // 5-5-5 is also what a 16-bit file without masks means.
    Bytes masked = withInfoHeader(encode(p, "-type truecolor -define bmp:subtype=RGB555", "BMP"));
    Bytes plain(masked.begin(), masked.begin() + 54);
    plain.insert(plain.end(), masked.begin() + 66, masked.end());
    set32(plain, 30, BMP_COMPRESSION_NONE);
    set32(plain, 10, 54);
    EXPECT_EQ(decode(plain).pixels, decode(masked).pixels);
}

TEST_F(EncodedByImageMagick, TopDownCopiesReadUpright)
{
    Picture rgb = truecolourPicture(13, 5), pal = palettePicture(7, 4, 5);
    for (const Bytes& file : {encode(rgb, "-type truecolor", "BMP3"),
                              encode(pal, "-type palette -compress none", "BMP3")}) {
        Decoded d = decode(storedTopDown(file));
        EXPECT_TRUE(d.info.topDown);
        EXPECT_EQ(d.pixels, decode(file).pixels);
        EXPECT_FALSE(d.pixels.empty());
    }
}

TEST_F(EncodedByImageMagick, LaterHeaderVersionsAreRefused)
{
    Picture p = truecolourPicture(7, 3);
    Bytes file = encode(p, "", "BMP");
    ASSERT_GT(file.size(), 18u);
    EXPECT_EQ(get32(file, 14), 124u);
    EXPECT_EQ(decode(file).error, BMP_UNKNOWN_FORMAT);
}

// ---- Reading files ---------------------------------------------------------------------

std::string tempPath(const char* name)
{
    std::string unique = std::to_string(getpid()) + "_" + name;
    return (std::filesystem::temp_directory_path() / unique).string();
}

TEST(BmpFiles, MissingEmptyDirectoryAndFifoPathsGiveTheOpenMessageWithThePathAsPassed)
{
    std::string empty = tempPath("kerb_bmp_empty.bmp");
    std::ofstream(empty).close();
    std::string fifo = tempPath("kerb_bmp_fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (std::string path : {std::string("no/such/dir/picture.bmp"), empty, fifo,
                             std::filesystem::temp_directory_path().string()}) {
        SCOPED_TRACE(path);
        std::vector<uint8_t> bytes = {1};
        std::string message;
        EXPECT_FALSE(readBmpFile(path.c_str(), &bytes, &message));
        EXPECT_EQ(message, "Failed to open DIB file " + path + ".\n");
        message.clear();
        EXPECT_EQ(loadBmpImage(path.c_str(), &message), nullptr);
        EXPECT_EQ(message, "Failed to open DIB file " + path + ".\n");
    }
    std::remove(empty.c_str());
    std::remove(fifo.c_str());
}

TEST(BmpFiles, LoadGivesTheMessageAndShowsNothingItself)
{
    int before = errorMessageCount();
    std::string message;
    EXPECT_EQ(loadBmpImage("textures/not-there.bmp", &message), nullptr);
    EXPECT_EQ(message, "Failed to open DIB file textures/not-there.bmp.\n");

    std::string bad = tempPath("kerb_bmp_v5.bmp");
    Bmp m;
    m.headerSize = 124, m.pixels = Bytes(16, 0);
    Bytes file = build(m);
    std::ofstream(bad, std::ios::binary)
        .write((const char*)file.data(), (std::streamsize)file.size());
    EXPECT_EQ(loadBmpImage(bad.c_str(), &message), nullptr);
    EXPECT_EQ(message, BMP_UNKNOWN_FORMAT);
    // Showing the box is for the caller, which also decides what happens next.
    EXPECT_EQ(errorMessageCount(), before);

    Bmp good;
    good.width = 1, good.height = 1, good.pixels = {10, 20, 30, 0};
    file = build(good);
    std::ofstream(bad, std::ios::binary)
        .write((const char*)file.data(), (std::streamsize)file.size());
    message.clear();
    RgbImage* image = loadBmpImage(bad.c_str(), &message);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(message, "");
    EXPECT_EQ(image->pixels[0], 30);
    EXPECT_EQ(image->pixels[2], 10);
    freeRgbImage(image);
    std::remove(bad.c_str());
}

TEST(BmpFiles, AVeryLongPathIsKeptWholeInTheOpenMessage)
{
    std::string path = "textures/" + std::string(5000, 'x') + ".bmp";
    EXPECT_EQ(formatBmpOpenFailed(path.c_str()), "Failed to open DIB file " + path + ".\n");
}

// ---- Damaged files never crash ---------------------------------------------------------

bool isReaderMessage(const std::string& e)
{
    return e == BMP_UNKNOWN_FORMAT || e == BMP_CONVERSION_ERROR || e == BMP_OUT_OF_MEMORY;
}

std::vector<Bytes> sampleFiles()
{
    Bmp rgb;
    rgb.width = 5, rgb.height = 3, rgb.pixels = Bytes(48, 0x33);
    Bmp pal;
    pal.width = 5, pal.height = 3, pal.bits = 8, pal.colorsUsed = 4, pal.table = table(4);
    pal.pixels = Bytes(24, 2);
    Bmp core = pal;
    core.headerSize = 12, core.table = table(256, 3), core.fileHeader = false;
    Bmp fields;
    fields.width = 3, fields.height = 2, fields.bits = 16, fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F}, fields.pixels = Bytes(16, 0x5A);
    return {build(rgb),
            build(pal),
            build(core),
            build(fields),
            build(runLength(BMP_COMPRESSION_RLE8, 3,
                            {2, 5, 0, 2, 1, 1, 1, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1})),
            build(runLength(BMP_COMPRESSION_RLE4, 2,
                            {1, 0x10, 0, 3, 0x23, 0x40, 0, 0, 2, 0x44, 0, 1}))};
}

TEST(BmpRobustness, EveryTruncationIsRefusedUnlessOnlyFillerIsMissing)
{
    for (const Bytes& file : sampleFiles()) {
        ASSERT_EQ(decode(file).error, "");
        for (size_t length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "file of " << file.size() << " cut to " << length);
            // Exact-size copy so the sanitizers see any read past the end.
            Decoded d = decode(Bytes(file.begin(), file.begin() + length));
            if (d.error.empty())
                EXPECT_GE(length + 3, file.size());
            else
                EXPECT_TRUE(isReaderMessage(d.error)) << d.error;
        }
    }
}

TEST(BmpRobustness, RandomByteChangesGiveAPictureOrAMessage)
{
    uint32_t seed = 12345;
    auto next = [&seed]() { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFFF; };
    int refused = 0, decoded = 0;
    for (const Bytes& file : sampleFiles()) {
        for (int round = 0; round < 400; ++round) {
            Bytes damaged = file;
            for (uint32_t n = 1 + next() % 4; n > 0; --n)
                damaged[next() % damaged.size()] = (uint8_t)next();
            Decoded d = decode(damaged);
            if (d.error.empty()) {
                ++decoded;
                EXPECT_TRUE(d.width >= 1 && d.width <= 16384 && d.height >= 1 && d.height <= 16384);
            } else {
                ++refused;
                EXPECT_TRUE(isReaderMessage(d.error)) << d.error;
            }
        }
    }
    // Both outcomes must occur, or the damage is not reaching the checks.
    EXPECT_GT(refused, 100);
    EXPECT_GT(decoded, 100);
}

}  // namespace test_bmp_image
