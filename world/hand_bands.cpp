// Where the hand and fist pictures add anything: the scissor boxes of their bands.
// Depends on: hand_bands.h, <cmath>. No GL.
#include "world/hand_bands.h"

#include <algorithm>
#include <cmath>

AddingRows handAddingRows;
AddingRows fistAddingRows;

namespace {
const int RGB_BYTES = 3;
const float PIXEL_CENTRE = 0.5f;
// The driver's choice of mipmap level may lie one above the nearest one to the picture's
// scale (rounding in its derivatives).
const int EXTRA_LEVELS = 1;
// Linear filtering at level L reads the two texels of that level nearest the sample point,
// 2^L level-0 texels each: a texel reaches 2^(L+1) level-0 texels, plus one for rounding.
const int TEXELS_REACHED_PER_LEVEL_WIDTH = 2;
const int ROUNDING_TEXELS = 1;
// Whole window pixels added on each side of a band's columns for rounding.
const int ROUNDING_PIXELS = 1;

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// The level-0 texels past a non-black texel that can still read it at any level the
// driver may use for a picture drawn at texelsPerPixel.
int reachInTexels(float texelsPerPixel, int largestSide)
{
    int level = texelsPerPixel > 1.0f ? (int)std::ceil(std::log2(texelsPerPixel)) : 0;
    level += EXTRA_LEVELS;
    int reach = TEXELS_REACHED_PER_LEVEL_WIDTH << level;
    return std::min(reach, largestSide) + ROUNDING_TEXELS;
}
}  // namespace

void measureAddingRows(const uint8_t* rgb, int width, int height, AddingRows& rows)
{
    rows = AddingRows();
    if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) return;
    rows.width = width;
    rows.height = height;
    rows.first.assign(height, width);
    rows.last.assign(height, -1);
    for (int r = 0; r < height; ++r) {
        const uint8_t* row = rgb + (size_t)r * width * RGB_BYTES;
        for (int c = 0; c < width; ++c) {
            const uint8_t* t = row + c * RGB_BYTES;
            if ((t[0] | t[1] | t[2]) == 0) continue;
            rows.first[r] = std::min(rows.first[r], c);
            rows.last[r] = c;
        }
    }
}

bool handBandBox(const AddingRows& rows, float left, float top, float right, float bottom,
                 int windowHeight, int band, int bandCount, ScissorBox& box)
{
    int yStart = (int)std::floor(top), yEnd = (int)std::ceil(bottom);
    int y0 = yStart + (yEnd - yStart) * band / bandCount;
    int y1 = yStart + (yEnd - yStart) * (band + 1) / bandCount;
    float quadWidth = right - left, quadHeight = bottom - top;
    if (y1 <= y0 || quadWidth <= 0 || quadHeight <= 0 || rows.width == 0) return false;

    float texelsPerPixel = std::max(rows.width / quadWidth, rows.height / quadHeight);
    int reach = reachInTexels(texelsPerPixel, std::max(rows.width, rows.height));
    // Texel rows (level 0) under the band's pixel centres, widened by the reach; the
    // picture repeats, so rows past either edge wrap to the other.
    float vHigh = (bottom - (y0 + PIXEL_CENTRE)) / quadHeight * rows.height;
    float vLow = (bottom - (y1 - PIXEL_CENTRE)) / quadHeight * rows.height;
    int rLow = (int)std::floor(vLow) - reach, rHigh = (int)std::floor(vHigh) + reach;
    if (rHigh - rLow + 1 > rows.height) rLow = 0, rHigh = rows.height - 1;
    int first = rows.width, last = -1;
    for (int r = rLow; r <= rHigh; ++r) {
        int wrapped = ((r % rows.height) + rows.height) % rows.height;
        first = std::min(first, rows.first[wrapped]);
        last = std::max(last, rows.last[wrapped]);
    }
    if (last < first) return false;

    int xStart = (int)std::floor(left), xEnd = (int)std::ceil(right);
    int cLow = first - reach, cHigh = last + 1 + reach;
    int x0 = xStart, x1 = xEnd;
    // Columns near either edge are read across the other edge too: then the band is whole.
    if (cLow > 0 && cHigh < rows.width) {
        float pixelsPerTexel = quadWidth / rows.width;
        x0 = std::max(xStart, (int)std::floor(left + cLow * pixelsPerTexel) - ROUNDING_PIXELS);
        x1 = std::min(xEnd, (int)std::ceil(left + cHigh * pixelsPerTexel) + ROUNDING_PIXELS);
    }
    box.x = x0;
    box.y = windowHeight - y1;
    box.width = x1 - x0;
    box.height = y1 - y0;
    return box.width > 0;
}
