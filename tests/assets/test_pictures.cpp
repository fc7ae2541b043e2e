// Checks of the generated pictures with a BMP reader of our own, independent of the
// generator's writer: structure of every file, marker colours, the overlays' black border,
// the sky box's edges, and that the repeated surfaces tile.
// Depends on: texture_table.h, character_kinds.h, GoogleTest; env KERB_DATA_DIR.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "characters/character_kinds.h"
#include "world/texture_table.h"

namespace test_pictures {

const int SIGN_INNER_SLOT = 50;  // black, the inner faces of the sign board

// ---- an independent reader ----

struct Bmp {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    uint32_t paletteEntries = 0;
    std::vector<uint8_t> rgb;  // rows as stored: row 0 is the bottom of the picture (t = 0)
};

uint32_t read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

uint32_t read32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((uint32_t)b[at + 3] << 24);
}

// Empty when the bytes are a BMP the game can use, else what is wrong.
std::string parseBmp(const std::vector<uint8_t>& b, Bmp& out)
{
    const uint64_t fileHeader = 14, infoHeader = 40;
    if (b.size() < fileHeader + infoHeader) return "shorter than its headers";
    if (b[0] != 'B' || b[1] != 'M') return "no BM signature";
    if (read32(b, 2) != b.size()) return "file size field differs from the file";
    uint64_t dataOffset = read32(b, 10);
    if (dataOffset >= b.size()) return "pixel data offset outside the file";
    if (read32(b, 14) != infoHeader) return "info header is not 40 bytes";
    int32_t width = (int32_t)read32(b, 18), height = (int32_t)read32(b, 22);
    if (width <= 0 || height <= 0) return "width or height not positive";
    if (read16(b, 26) != 1) return "planes is not 1";
    int bits = (int)read16(b, 28);
    if (bits != 8 && bits != 24) return "bit count is neither 8 nor 24";
    if (read32(b, 30) != 0) return "compressed";
    uint64_t entries = 0;
    if (bits == 8) {
        entries = read32(b, 46) ? read32(b, 46) : 256;
        if (entries > 256) return "more than 256 palette entries";
        if (fileHeader + infoHeader + entries * 4 > dataOffset)
            return "palette runs into the pixels";
    }
    uint64_t rowBytes = ((uint64_t)width * bits + 31) / 32 * 4;
    if (dataOffset + rowBytes * (uint64_t)height > b.size()) return "pixel rows run past the end";
    out.width = width;
    out.height = height;
    out.bitCount = bits;
    out.paletteEntries = (uint32_t)entries;
    out.rgb.assign((size_t)width * height * 3, 0);
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = &b[dataOffset + rowBytes * row];
        for (int x = 0; x < width; ++x) {
            uint8_t* dst = &out.rgb[((size_t)row * width + x) * 3];
            const uint8_t* bgr = src + x * 3;
            if (bits == 8) {
                if (src[x] >= entries) return "palette index outside the table";
                bgr = &b[fileHeader + infoHeader + src[x] * 4];
            }
            dst[0] = bgr[2];
            dst[1] = bgr[1];
            dst[2] = bgr[0];
        }
    }
    return "";
}

std::string dataDir()
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    return dir ? dir : "";
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// A picture of the data directory as read and parsed, once for all the tests: under the
// sanitizers a parse of the whole set takes seconds.
struct ParsedPicture {
    bool read = false;
    std::string problem;
    Bmp bmp;
};

const ParsedPicture& parsedPicture(const std::string& relative)
{
    static std::map<std::string, ParsedPicture> parsed;
    auto found = parsed.find(relative);
    if (found != parsed.end()) return found->second;
    ParsedPicture& picture = parsed[relative];
    std::vector<uint8_t> bytes;
    picture.read = readFile(dataDir() + "/" + relative, bytes);
    if (picture.read) picture.problem = parseBmp(bytes, picture.bmp);
    return picture;
}

// The picture of a slot, failing the test with the reason if it cannot be read or parsed.
Bmp loadSlot(int slot)
{
    std::string path = texturePathForSlot(slot);
    const ParsedPicture& picture = parsedPicture(path);
    EXPECT_TRUE(picture.read) << path;
    EXPECT_EQ(picture.problem, "") << path;
    return picture.bmp;
}

const uint8_t* pixel(const Bmp& bmp, int x, int rowFromBottom)
{
    return &bmp.rgb[((size_t)rowFromBottom * bmp.width + x) * 3];
}

int channelDifference(const uint8_t* a, const uint8_t* b)
{
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(dataDir(), "") << "KERB_DATA_DIR is not set"; }
};

// ---- every file of the slot table ----

TEST_F(Pictures, EveryPathOfTheSlotTableExists)
{
    for (int i = 0; i < textureFileCount; ++i) {
        std::ifstream in(dataDir() + "/" + textureFiles[i].path, std::ios::binary);
        EXPECT_TRUE(in.good()) << textureFiles[i].path << " (slot " << textureFiles[i].slot
                               << ")";
    }
}

TEST_F(Pictures, EveryFileIsAWellFormedBmp)
{
    for (int i = 0; i < textureFileCount; ++i) {
        const ParsedPicture& picture = parsedPicture(textureFiles[i].path);
        if (!picture.read) continue;  // the test above names the missing file
        EXPECT_EQ(picture.problem, "") << textureFiles[i].path;
    }
}

TEST_F(Pictures, TheMarkersAndTheSignsInnerFacesArePalettised)
{
    for (int slot : {MARKER_GREEN_SLOT, MARKER_RED_SLOT, SIGN_INNER_SLOT}) {
        Bmp bmp = loadSlot(slot);
        EXPECT_EQ(bmp.bitCount, 8) << texturePathForSlot(slot);
        EXPECT_GT(bmp.paletteEntries, 0u);
    }
}

TEST_F(Pictures, AtLeastOnePictureHasRowsThatNeedFillerBytes)
{
    int odd = 0;
    for (int i = 0; i < textureFileCount; ++i) {
        const ParsedPicture& picture = parsedPicture(textureFiles[i].path);
        if (picture.read && picture.problem.empty() && picture.bmp.width % 4 != 0) ++odd;
    }
    EXPECT_GE(odd, 1);
}

bool isSkinSlot(int slot)
{
    for (const CharacterKind& kind : characterKinds)
        if (kind.textureSlot == slot) return true;
    return false;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// GLU rescales other sizes at every start; only the deliberately odd-width one may differ.
TEST_F(Pictures, PicturesBesideTheSkinsHavePowerOfTwoSides)
{
    for (int i = 0; i < textureFileCount; ++i) {
        if (isSkinSlot(textureFiles[i].slot)) continue;
        Bmp bmp = loadSlot(textureFiles[i].slot);
        if (bmp.width % 4 != 0) continue;
        EXPECT_TRUE(isPowerOfTwo(bmp.width) && isPowerOfTwo(bmp.height))
            << textureFiles[i].path << " is " << bmp.width << " x " << bmp.height;
    }
}

// The reader above must be able to say no, or the structural checks prove nothing.
TEST_F(Pictures, TheCheckingReaderRejectsDamagedCopies)
{
    std::vector<uint8_t> good;
    ASSERT_TRUE(readFile(dataDir() + "/" + texturePathForSlot(MARKER_GREEN_SLOT), good));
    Bmp bmp;
    ASSERT_EQ(parseBmp(good, bmp), "");
    const uint32_t paletteEntries = bmp.paletteEntries;

    std::vector<uint8_t> cut(good.begin(), good.end() - 4);
    EXPECT_EQ(parseBmp(cut, bmp), "file size field differs from the file");
    cut[2] = (uint8_t)cut.size();
    cut[3] = (uint8_t)(cut.size() >> 8);
    cut[4] = cut[5] = 0;
    EXPECT_EQ(parseBmp(cut, bmp), "pixel rows run past the end");

    std::vector<uint8_t> later = good;
    later[14] = 108;
    EXPECT_EQ(parseBmp(later, bmp), "info header is not 40 bytes");

    std::vector<uint8_t> badIndex = good;
    ASSERT_LT(paletteEntries, 256u);
    badIndex[read32(good, 10)] = 0xff;  // the first pixel, past the end of the palette
    EXPECT_EQ(parseBmp(badIndex, bmp), "palette index outside the table");
}

// ---- what the pictures show ----

TEST_F(Pictures, MarkerColoursArePlainGreenRedAndBlack)
{
    struct Expected {
        int slot;
        bool red, green;
    };
    const Expected markers[] = {{MARKER_GREEN_SLOT, false, true}, {MARKER_RED_SLOT, true, false},
                                {SIGN_INNER_SLOT, false, false}};
    for (const Expected& m : markers) {
        Bmp bmp = loadSlot(m.slot);
        for (size_t i = 0; i < bmp.rgb.size(); i += 3) {
            ASSERT_EQ(bmp.rgb[i] > 200, m.red) << texturePathForSlot(m.slot);
            ASSERT_EQ(bmp.rgb[i + 1] > 200, m.green) << texturePathForSlot(m.slot);
            ASSERT_LT(bmp.rgb[i + 2], 40) << texturePathForSlot(m.slot);
            if (!m.red) {
                ASSERT_LT(bmp.rgb[i], 40);
            }
            if (!m.green) {
                ASSERT_LT(bmp.rgb[i + 1], 40);
            }
        }
    }
}

// The HUD adds these pictures onto the view, so black is invisible: the edge of the quad
// must not show, while the hand or fist itself must.
TEST_F(Pictures, HandAndFistSitOnBlackWithBlackBorders)
{
    for (int slot : {HAND_SLOT, FIST_SLOT}) {
        Bmp bmp = loadSlot(slot);
        ASSERT_GT(bmp.width, 2);
        for (int x = 0; x < bmp.width; ++x) {
            for (int row : {0, bmp.height - 1}) {
                const uint8_t* p = pixel(bmp, x, row);
                ASSERT_EQ(p[0] + p[1] + p[2], 0) << texturePathForSlot(slot) << " x " << x;
            }
        }
        for (int row = 0; row < bmp.height; ++row) {
            for (int x : {0, bmp.width - 1}) {
                const uint8_t* p = pixel(bmp, x, row);
                ASSERT_EQ(p[0] + p[1] + p[2], 0) << texturePathForSlot(slot) << " row " << row;
            }
        }
        size_t black = 0, bright = 0;
        for (size_t i = 0; i < bmp.rgb.size(); i += 3) {
            int sum = bmp.rgb[i] + bmp.rgb[i + 1] + bmp.rgb[i + 2];
            black += sum == 0;
            bright += sum > 150;
        }
        size_t pixels = bmp.rgb.size() / 3;
        EXPECT_GT(black, pixels / 2) << texturePathForSlot(slot);
        EXPECT_GT(bright, pixels / 20) << texturePathForSlot(slot);
    }
}

bool isMenuYellow(const uint8_t* p) { return p[0] > 230 && p[1] > 170 && p[1] < 235 && p[2] < 110; }

// Where the yellow of a menu page sits within the given rows (counted from the bottom of the
// file, which is the bottom of the window) and the middle columns: the mean row and the
// number of yellow pixels.
struct YellowRows {
    double meanRow;
    long count;
};

YellowRows yellowRows(const Bmp& bmp, int firstRow, int endRow)
{
    double sum = 0;
    long count = 0;
    for (int row = firstRow; row < endRow; ++row) {
        for (int x = bmp.width * 35 / 100; x < bmp.width * 65 / 100; ++x) {
            if (isMenuYellow(pixel(bmp, x, row))) {
                sum += row;
                ++count;
            }
        }
    }
    return {count ? sum / count : -1.0, count};
}

// The title, in yellow, is at the top of every page; below it the yellow highlight bar
// moves down one step per item.
TEST_F(Pictures, MenuHighlightWalksDownTheItemsUnderTheTitle)
{
    double previous = 1e9;
    for (int item = 0; item < 4; ++item) {
        Bmp bmp = loadSlot(MENU_FIRST_SLOT + item);
        YellowRows top = yellowRows(bmp, bmp.height * 3 / 4, bmp.height);
        YellowRows bottom = yellowRows(bmp, 0, bmp.height / 4);
        EXPECT_GT(top.count, 10 * (bottom.count + 1)) << "item " << item << ": no title on top";
        YellowRows bar = yellowRows(bmp, 0, bmp.height * 7 / 10);
        ASSERT_GT(bar.count, 0) << "no highlight on the page of item " << item;
        EXPECT_LT(bar.meanRow, previous) << "item " << item << " is not below item " << item - 1;
        previous = bar.meanRow;
    }
}

// The arm reaches in from the bottom edge of the window, so most of the picture is low.
TEST_F(Pictures, HandAndFistReachInFromBelow)
{
    for (int slot : {HAND_SLOT, FIST_SLOT}) {
        Bmp bmp = loadSlot(slot);
        long lower = 0, upper = 0;
        for (int row = 0; row < bmp.height; ++row)
            for (int x = 0; x < bmp.width; ++x) {
                const uint8_t* p = pixel(bmp, x, row);
                if (p[0] + p[1] + p[2] > 60) (row < bmp.height / 2 ? lower : upper)++;
            }
        EXPECT_GT(lower, upper) << texturePathForSlot(slot);
    }
}

// The rails run along t, the picture's height: a rail is a bright column, while no row is
// mostly rail.
TEST_F(Pictures, RailsRunUpThePicture)
{
    const int railSlot = 11;
    Bmp bmp = loadSlot(railSlot);
    auto steel = [&](int x, int row) {
        const uint8_t* p = pixel(bmp, x, row);
        return p[0] > 170 && p[1] > 170 && p[2] > 170;
    };
    double bestColumn = 0, bestRow = 0;
    for (int x = 0; x < bmp.width; ++x) {
        int n = 0;
        for (int row = 0; row < bmp.height; ++row) n += steel(x, row);
        bestColumn = std::max(bestColumn, (double)n / bmp.height);
    }
    for (int row = 0; row < bmp.height; ++row) {
        int n = 0;
        for (int x = 0; x < bmp.width; ++x) n += steel(x, row);
        bestRow = std::max(bestRow, (double)n / bmp.width);
    }
    EXPECT_GT(bestColumn, 0.9);
    EXPECT_LT(bestRow, 0.5);
}

TEST_F(Pictures, MenuPagesDifferFromEachOther)
{
    std::vector<std::vector<uint8_t>> pages;
    for (int slot = MENU_FIRST_SLOT; slot <= HELP_PAGE_SLOT; ++slot)
        pages.push_back(loadSlot(slot).rgb);
    for (size_t a = 0; a < pages.size(); ++a)
        for (size_t b = a + 1; b < pages.size(); ++b)
            EXPECT_NE(pages[a], pages[b]) << "slots " << a << " and " << b;
}

// ---- the sky box: shared edges show the same sky on both faces ----

struct Corner {
    float x, y, z;
};

struct SkyFace {
    int slot;
    Corner c[4];  // s runs c0 -> c1, t runs c0 -> c3
};

const SkyFace SKY_FACES[] = {
    {26, {{-300, 200, 300}, {-300, 200, -500}, {500, 200, -500}, {500, 200, 300}}},
    {22, {{500, 200, 300}, {500, 200, -500}, {500, 0, -500}, {500, 0, 300}}},
    {23, {{500, 200, 300}, {500, 0, 300}, {-300, 0, 300}, {-300, 200, 300}}},
    {24, {{-300, 0, 300}, {-300, 0, -500}, {-300, 200, -500}, {-300, 200, 300}}},
    {25, {{500, 0, -500}, {500, 200, -500}, {-300, 200, -500}, {-300, 0, -500}}},
};

bool sameCorner(Corner a, Corner b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The texel a face shows at a point of its plane.
const uint8_t* texelAt(const Bmp& bmp, const SkyFace& face, Corner p)
{
    auto along = [&](Corner to) {
        float ex = to.x - face.c[0].x, ey = to.y - face.c[0].y, ez = to.z - face.c[0].z;
        float px = p.x - face.c[0].x, py = p.y - face.c[0].y, pz = p.z - face.c[0].z;
        return (px * ex + py * ey + pz * ez) / (ex * ex + ey * ey + ez * ez);
    };
    float s = along(face.c[1]), t = along(face.c[3]);
    int x = (int)std::lround(s * (bmp.width - 1));
    int row = (int)std::lround(t * (bmp.height - 1));
    return pixel(bmp, x, row);
}

TEST_F(Pictures, SkyFacesMatchAlongEverySharedEdge)
{
    const int faceCount = 5, samples = 64;
    Bmp images[faceCount];
    for (int f = 0; f < faceCount; ++f) images[f] = loadSlot(SKY_FACES[f].slot);
    int edges = 0;
    for (int a = 0; a < faceCount; ++a) {
        for (int b = a + 1; b < faceCount; ++b) {
            for (int i = 0; i < 4; ++i) {
                Corner p = SKY_FACES[a].c[i], q = SKY_FACES[a].c[(i + 1) % 4];
                bool shared = false;
                for (int j = 0; j < 4; ++j) {
                    Corner r = SKY_FACES[b].c[j], s = SKY_FACES[b].c[(j + 1) % 4];
                    shared |= (sameCorner(p, r) && sameCorner(q, s)) ||
                              (sameCorner(p, s) && sameCorner(q, r));
                }
                if (!shared) continue;
                ++edges;
                long total = 0;
                int worst = 0;
                for (int k = 0; k < samples; ++k) {
                    float f = (k + 0.5f) / samples;
                    Corner m = {p.x + (q.x - p.x) * f, p.y + (q.y - p.y) * f,
                                p.z + (q.z - p.z) * f};
                    int d = channelDifference(texelAt(images[a], SKY_FACES[a], m),
                                              texelAt(images[b], SKY_FACES[b], m));
                    total += d;
                    worst = std::max(worst, d);
                }
                EXPECT_LT(total / samples, 24) << "slots " << SKY_FACES[a].slot << " and "
                                               << SKY_FACES[b].slot;
                EXPECT_LT(worst, 90) << "slots " << SKY_FACES[a].slot << " and "
                                     << SKY_FACES[b].slot;
            }
        }
    }
    EXPECT_EQ(edges, 8);  // four upright edges and the four edges of the top
}

// Each side, mapped by its corners, shows sky high on the box and the skyline near its foot: a
// side stored turned the wrong way shows them swapped or on end. (The top and foot rows
// themselves share one haze colour, so the heights stay clear of them.)
TEST_F(Pictures, SkySidesShowSkyAboveAndSkylineBelow)
{
    const int samples = 64;
    for (int f = 1; f < 5; ++f) {  // the four sides
        const SkyFace& face = SKY_FACES[f];
        Bmp bmp = loadSlot(face.slot);
        Corner a = {0, 0, 0}, b = {0, 0, 0};
        bool haveA = false;
        for (const Corner& c : face.c) {
            if (c.y != 0) continue;
            (haveA ? b : a) = c;
            haveA = true;
        }
        auto blueness = [&](float height) {
            double sum = 0;
            for (int k = 0; k < samples; ++k) {
                float t = (k + 0.5f) / samples;
                Corner p = {a.x + (b.x - a.x) * t, height, a.z + (b.z - a.z) * t};
                const uint8_t* texel = texelAt(bmp, face, p);
                sum += texel[2] - texel[0];
            }
            return sum / samples;
        };
        EXPECT_GT(blueness(150.0f), blueness(15.0f) + 30.0) << texturePathForSlot(face.slot);
    }
}

// ---- the sky box under repeat wrapping: no line along any edge ----

// The next mipmap level as the game's upload builds it for power-of-two sides: each texel the
// rounded mean of a 2 x 2 block.
Bmp halved(const Bmp& bmp)
{
    Bmp half;
    half.width = std::max(1, bmp.width / 2);
    half.height = std::max(1, bmp.height / 2);
    half.rgb.resize((size_t)half.width * half.height * 3);
    for (int row = 0; row < half.height; ++row)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = pixel(bmp, 2 * x, 2 * row)[c] + pixel(bmp, 2 * x + 1, 2 * row)[c] +
                          pixel(bmp, 2 * x, 2 * row + 1)[c] + pixel(bmp, 2 * x + 1, 2 * row + 1)[c];
                half.rgb[((size_t)row * half.width + x) * 3 + c] = (uint8_t)((sum + 2) / 4);
            }
    return half;
}

// The texel `from` columns (across) or rows (up) in from one edge of a picture, `at` along it.
const uint8_t* edgeTexel(const Bmp& bmp, bool across, bool farEdge, int from, int at)
{
    if (across) return pixel(bmp, farEdge ? bmp.width - 1 - from : from, at);
    return pixel(bmp, at, farEdge ? bmp.height - 1 - from : from);
}

// Largest difference between the first lines of the two opposite edges, texel by texel.
int worstWrapDifference(const Bmp& bmp, bool across)
{
    int worst = 0, length = across ? bmp.height : bmp.width;
    for (int at = 0; at < length; ++at)
        worst = std::max(worst, channelDifference(edgeTexel(bmp, across, false, 0, at),
                                                  edgeTexel(bmp, across, true, 0, at)));
    return worst;
}

// Mean difference between line `from` and line `from` + 1, counted in from one edge.
double meanStepFromEdge(const Bmp& bmp, bool across, bool farEdge, int from)
{
    long sum = 0;
    int length = across ? bmp.height : bmp.width;
    for (int at = 0; at < length; ++at)
        sum += channelDifference(edgeTexel(bmp, across, farEdge, from, at),
                                 edgeTexel(bmp, across, farEdge, from + 1, at));
    return (double)sum / length;
}

bool uprightAcross(const SkyFace& face) { return face.c[0].y != face.c[1].y; }

// Along an edge the linear filter blends the picture's opposite edge in, at whichever mipmap
// level the edge is seen with. From the play area the box's edges are seen at levels 0 and 1
// (in a 1024 x 768 window); the edges that meet the top (where the side walls' top and foot
// rows wrap onto each other) agree at those, the upright corners and the top at level 2 too.
TEST_F(Pictures, SkyPicturesWrapOntoThemselvesWithoutALine)
{
    const int tolerance = 6;  // two steps per channel at most: no visible line
    for (const SkyFace& face : SKY_FACES) {
        Bmp level = loadSlot(face.slot);
        const bool top = &face == &SKY_FACES[0];
        for (int n = 0; n <= 2; ++n) {
            for (bool across : {true, false}) {
                bool upright = !top && across == uprightAcross(face);
                if (upright && n == 2) continue;
                EXPECT_LE(worstWrapDifference(level, across), tolerance)
                    << texturePathForSlot(face.slot) << " level " << n
                    << (across ? " left/right" : " top/bottom");
            }
            level = halved(level);
        }
    }
}

// The agreement is not bought with a line painted just inside the edge: stepping across the
// band along an edge changes the picture no more than stepping further in does.
TEST_F(Pictures, SkyEdgeBandsBlendIntoThePicture)
{
    const int band = 8, texelsIn = 24;
    for (const SkyFace& face : SKY_FACES) {
        Bmp bmp = loadSlot(face.slot);
        for (bool across : {true, false}) {
            for (bool farEdge : {false, true}) {
                double inside = 0;
                for (int from = band; from < texelsIn; ++from)
                    inside = std::max(inside, meanStepFromEdge(bmp, across, farEdge, from));
                for (int from = 0; from < band; ++from)
                    EXPECT_LE(meanStepFromEdge(bmp, across, farEdge, from), inside + 3.0)
                        << texturePathForSlot(face.slot) << (across ? " column " : " row ")
                        << (farEdge ? "-" : "+") << from;
            }
        }
    }
}

// ---- surfaces the street repeats: crossing a picture's edge looks like any step inside ----

double meanColumnStep(const Bmp& bmp, int a, int b)
{
    long sum = 0;
    for (int row = 0; row < bmp.height; ++row)
        sum += channelDifference(pixel(bmp, a, row), pixel(bmp, b, row));
    return (double)sum / bmp.height;
}

double meanRowStep(const Bmp& bmp, int a, int b)
{
    long sum = 0;
    for (int x = 0; x < bmp.width; ++x)
        sum += channelDifference(pixel(bmp, x, a), pixel(bmp, x, b));
    return (double)sum / bmp.width;
}

TEST_F(Pictures, RepeatedSurfacesTileWithoutSeams)
{
    struct Repeated {
        int slot;
        bool across, up;
    };
    const Repeated surfaces[] = {
        {17, true, true},   // ground
        {43, true, true},   // road
        {21, true, true},   // concrete
        {44, true, true},   // building wall
        {11, true, true},   // rails
        {41, true, false},  // window bands, side by side
        {42, true, true},   // upper windows
    };
    for (const Repeated& r : surfaces) {
        Bmp bmp = loadSlot(r.slot);
        ASSERT_GT(bmp.width, 4);
        const char* path = texturePathForSlot(r.slot);
        if (r.across) {
            double seam = meanColumnStep(bmp, bmp.width - 1, 0);
            double inside = (meanColumnStep(bmp, 0, 1) +
                             meanColumnStep(bmp, bmp.width - 2, bmp.width - 1)) / 2;
            EXPECT_LE(seam, 2.0 * inside + 6.0) << path << " left/right";
        }
        if (r.up) {
            double seam = meanRowStep(bmp, bmp.height - 1, 0);
            double inside = (meanRowStep(bmp, 0, 1) +
                             meanRowStep(bmp, bmp.height - 2, bmp.height - 1)) / 2;
            EXPECT_LE(seam, 2.0 * inside + 6.0) << path << " top/bottom";
        }
    }
}

}  // namespace test_pictures
