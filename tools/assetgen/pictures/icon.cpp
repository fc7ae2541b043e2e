// The game's icon for the desktop menu: a tile with the evening street, the house row and a
// yellow flyer held up in front, painted anew at each size (not scaled down) and written as
// PNG with an alpha channel into OUTDIR/NxN/apps/kerbrunner.png, the icon theme's layout.
// Depends on: common/assetgen.h, canvas.h, libpng.
#include <png.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tools/assetgen/common/assetgen.h"
#include "tools/assetgen/pictures/canvas.h"

const int ICON_SIZES[] = {48, 64, 128, 256};
const int ICON_SIZE_COUNT = (int)(sizeof ICON_SIZES / sizeof ICON_SIZES[0]);
const char* const ICON_FILE_NAME = "kerbrunner.png";

namespace {

const float LAYOUT = 64.0f;         // the icon is drawn in 64 x 64 layout units
const float TILE_MARGIN = 2.0f;     // transparent border around the tile
const float TILE_RADIUS = 11.0f;
const float ICON_HORIZON_Y = 36.0f;
const float VANISH_X = 32.0f;
const float ICON_FLYER_ANGLE = -0.26f;   // radians, the flyer leans to the left
const int CHANNELS = 4;             // RGBA

struct IconHouse {
    float x0, x1, top;
    uint32_t color;
};

const IconHouse HOUSES[] = {
    {0, 13, 17, 0x2b2f4a}, {13, 22, 23, 0x3a3550}, {22, 31, 14, 0x262a40},
    {31, 42, 21, 0x3b3a55}, {42, 52, 12, 0x2a2c45}, {52, 64, 19, 0x353452},
};

float tileDistance(float x, float y)
{
    float half = 0.5f * LAYOUT - TILE_MARGIN;
    return sdRoundBox(x, y, 0.5f * LAYOUT, 0.5f * LAYOUT, half, half, TILE_RADIUS);
}

void paintSkyAndStreet(Canvas& c)
{
    Color zenith = hexColor(0x1d3b7a), dusk = hexColor(0xf0a060);
    Color road = hexColor(0x55585e), pavement = hexColor(0x9a948a);
    paintAll(c, [&](float x, float y) {
        if (y < ICON_HORIZON_Y) return mixColor(zenith, dusk, smoothStep(4.0f, ICON_HORIZON_Y, y));
        // The road narrows to the vanishing point; the pavements lie on both sides.
        float depth = (y - ICON_HORIZON_Y) / (LAYOUT - ICON_HORIZON_Y);
        float halfRoad = 2.0f + 24.0f * depth;
        Color ground = std::fabs(x - VANISH_X) < halfRoad ? road : pavement;
        return scaleColor(ground, 0.7f + 0.3f * depth);
    });
}

void paintHouses(Canvas& c)
{
    Color window = hexColor(0xffd36b);
    for (const IconHouse& h : HOUSES) {
        fillRect(c, h.x0, h.top, h.x1, ICON_HORIZON_Y, hexColor(h.color));
        // Two columns of lit windows, every other floor.
        for (float y = h.top + 3.0f; y < ICON_HORIZON_Y - 3.0f; y += 5.0f)
            for (float x = h.x0 + 2.5f; x + 2.0f < h.x1 - 1.0f; x += 4.5f)
                fillRect(c, x, y, x + 1.6f, y + 2.0f, window, 0.85f);
    }
}

void paintKerbs(Canvas& c)
{
    Color kerb = hexColor(0xdedad0);
    for (float side : {-1.0f, 1.0f}) {
        Point far = {VANISH_X + side * 2.0f, ICON_HORIZON_Y};
        Point nearPoint = {VANISH_X + side * 26.0f, LAYOUT};
        drawLine(c, far, nearPoint, 1.4f, kerb);
    }
    // Dashes down the middle of the road.
    Color dash = hexColor(0xf2f0e6);
    for (float t = 0.1f; t < 1.0f; t += 0.3f) {
        float y0 = ICON_HORIZON_Y + t * (LAYOUT - ICON_HORIZON_Y);
        drawLine(c, {VANISH_X, y0}, {VANISH_X, y0 + 4.0f * t + 1.0f}, 0.6f + 1.2f * t, dash);
    }
}

Point turned(float x, float y, float cx, float cy)
{
    float s = std::sin(ICON_FLYER_ANGLE), k = std::cos(ICON_FLYER_ANGLE);
    return {cx + x * k - y * s, cy + x * s + y * k};
}

void paintFlyer(Canvas& c)
{
    const float cx = 40.0f, cy = 40.0f, hw = 11.0f, hh = 14.0f;
    Point shadow[4], paper[4];
    const float corners[4][2] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
    for (int i = 0; i < 4; ++i) {
        shadow[i] = turned(corners[i][0], corners[i][1], cx + 1.5f, cy + 2.0f);
        paper[i] = turned(corners[i][0], corners[i][1], cx, cy);
    }
    fillPolygon(c, shadow, 4, hexColor(0x000000), 0.45f);
    fillPolygon(c, paper, 4, hexColor(0xffe14a));
    // A red headline and lines of small print.
    drawLine(c, turned(-7.5f, -9.0f, cx, cy), turned(7.5f, -9.0f, cx, cy), 3.2f,
             hexColor(0xd8322a));
    for (float y = -3.0f; y <= 9.5f; y += 3.2f)
        drawLine(c, turned(-7.5f, y, cx, cy), turned(y > 8.0f ? 1.0f : 7.5f, y, cx, cy), 1.0f,
                 hexColor(0x3a3020));
}

// RGBA bytes: the painted tile, and outside the rounded tile nothing.
std::vector<uint8_t> iconPixels(int size)
{
    float scale = size / LAYOUT;
    Canvas c = makeCanvas(size, size, hexColor(0x000000), scale, scale);
    paintSkyAndStreet(c);
    paintHouses(c);
    paintKerbs(c);
    paintFlyer(c);
    std::vector<uint8_t> rgb = canvasBytes(c);
    std::vector<uint8_t> rgba((size_t)size * size * CHANNELS);
    const float edge = 1.0f / scale;
    Color rim = hexColor(0x10142a);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            float x = (px + 0.5f) / scale, y = (py + 0.5f) / scale;
            float d = tileDistance(x, y);
            // A dark rim keeps the tile apart from light and dark backgrounds alike.
            float rimCover = clamp01(1.0f - std::fabs(d + 0.6f) / 0.9f);
            size_t i = (size_t)py * size + px;
            for (int k = 0; k < 3; ++k) {
                float v = rgb[3 * i + k] / 255.0f;
                float r = k == 0 ? rim.r : k == 1 ? rim.g : rim.b;
                v = v + (r - v) * rimCover;
                rgba[CHANNELS * i + k] = (uint8_t)std::lround(clamp01(v) * 255.0f);
            }
            rgba[CHANNELS * i + 3] = (uint8_t)std::lround(clamp01(0.5f - d / edge) * 255.0f);
        }
    }
    return rgba;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// The PNG file of RGBA rows, top row first; empty if libpng fails.
std::vector<uint8_t> encodePngRgba(int width, int height, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < height; ++row)
        png_write_row(png, const_cast<png_bytep>(&rgba[(size_t)row * width * CHANNELS]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

bool generateIcons(const std::string& outDir)
{
    bool ok = true;
    for (int i = 0; i < ICON_SIZE_COUNT; ++i) {
        int size = ICON_SIZES[i];
        std::vector<uint8_t> png = encodePngRgba(size, size, iconPixels(size));
        std::string dir = std::to_string(size) + "x" + std::to_string(size);
        std::string path = outDir + "/" + dir + "/apps/" + ICON_FILE_NAME;
        if (png.empty()) {
            std::fprintf(stderr, "assetgen: cannot encode %s\n", path.c_str());
            ok = false;
            continue;
        }
        ok = writeFileBytes(path, png) && ok;
    }
    return ok;
}
