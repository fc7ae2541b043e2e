// GLU's mipmap levels for byte pictures with power-of-two sides, without GL.
// Depends on: mipmaps.h.
#include "world/mipmaps.h"

#include <cstddef>

namespace {
// A 2 x 2 block's mean: its sum plus half the divisor, divided by the divisor.
const int BLOCK_TEXELS = 4;
const int BLOCK_ROUNDING = 2;
// A pair's mean rounds down.
const int PAIR_TEXELS = 2;
}

bool hasPowerOfTwoSides(int width, int height)
{
    return width > 0 && height > 0 && (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
}

int mipmapLevelCount(int width, int height)
{
    int levels = 1;
    while (width > 1 || height > 1) {
        width = halvedSide(width);
        height = halvedSide(height);
        ++levels;
    }
    return levels;
}

int halvedSide(int side) { return side > 1 ? side / 2 : 1; }

void halveLevel(const uint8_t* src, int width, int height, int components, uint8_t* dst)
{
    if (width == 1 || height == 1) {
        // One row or one column: pairs of neighbours along it.
        int pairs = (width == 1 ? height : width) / 2;
        for (int p = 0; p < pairs; ++p) {
            const uint8_t* a = src + (size_t)2 * p * components;
            for (int k = 0; k < components; ++k)
                dst[(size_t)p * components + k] = (uint8_t)((a[k] + a[k + components]) / PAIR_TEXELS);
        }
        return;
    }
    size_t row = (size_t)width * components;
    int halfWidth = width / 2, halfHeight = height / 2;
    for (int y = 0; y < halfHeight; ++y) {
        const uint8_t* lower = src + 2 * y * row;
        const uint8_t* upper = lower + row;
        uint8_t* out = dst + (size_t)y * halfWidth * components;
        for (int x = 0; x < halfWidth; ++x) {
            const uint8_t* a = lower + (size_t)2 * x * components;
            const uint8_t* b = upper + (size_t)2 * x * components;
            for (int k = 0; k < components; ++k) {
                int sum = a[k] + a[k + components] + b[k] + b[k + components] + BLOCK_ROUNDING;
                out[(size_t)x * components + k] = (uint8_t)(sum / BLOCK_TEXELS);
            }
        }
    }
}
