// gluBuild2DMipmaps for byte pictures, giving the levels the desktop's GLU gives: a picture whose
// sides are not powers of two is first scaled to the nearest ones by GLU's box filter
// (area-weighted, truncated), then every level is halved by the game's own builder
// (world/mipmaps.h). Every level of every picture the game loads matches GLU's byte for byte.
// Depends on: GL/glu.h, gl_state.h (unpack state), world/mipmaps.h.
#include "web/gl/gl_state.h"
#include "world/mipmaps.h"

#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

const GLint GLU_INVALID_ENUM_ERROR = 100900;
const GLint GLU_INVALID_VALUE_ERROR = 100901;
const int MAX_COMPONENTS = 4;

// GLU's choice of side: the power of two at or below the side, or the one above when the
// side's top two bits are both set (3 x 2^k goes up to 4 x 2^k).
int nearestPower(int value)
{
    int power = 1;
    for (;;) {
        if (value == 1) return power;
        if (value == 3) return power * 4;
        value >>= 1;
        power *= 2;
    }
}

// The picture as tight rows, read with the unpack state, followed by a zero row and texel: the
// box filter reads the texel after a row's last with no weight, as GLU's does.
std::unique_ptr<uint8_t[]> tightCopy(int width, int height, int components, const void* data)
{
    const PixelStore& u = gl.client.unpack;
    size_t rowPixels = u.rowLength > 0 ? (size_t)u.rowLength : (size_t)width;
    size_t align = u.alignment > 0 ? (size_t)u.alignment : 1;
    size_t rowBytes = (rowPixels * components + align - 1) / align * align;
    const uint8_t* src = (const uint8_t*)data + (size_t)u.skipRows * rowBytes +
                         (size_t)u.skipPixels * components;
    size_t tightRow = (size_t)width * components;
    std::unique_ptr<uint8_t[]> out(new uint8_t[tightRow * (height + 1) + components]());
    for (int y = 0; y < height; ++y) std::memcpy(out.get() + y * tightRow, src + y * rowBytes, tightRow);
    return out;
}

// Adds weight times the texel at (x, y) to totals.
void addTexel(float* totals, const uint8_t* in, int width, int components, int x, int y, float weight)
{
    const uint8_t* texel = in + ((size_t)y * width + x) * components;
    for (int k = 0; k < components; ++k) totals[k] += texel[k] * weight;
}

// GLU's box filter for bytes: each output texel is the area-weighted mean of the input texels
// its footprint covers, truncated. The footprints advance in single precision as GLU's do, and
// the sums run in GLU's order, so that the truncation falls the same way.
void scaleBytes(int components, int widthIn, int heightIn, const uint8_t* in, int widthOut,
                int heightOut, uint8_t* out)
{
    if (widthIn == widthOut * 2 && heightIn == heightOut * 2) {
        halveLevel(in, widthIn, heightIn, components, out);
        return;
    }
    const float convy = (float)heightIn / heightOut;
    const float convx = (float)widthIn / widthOut;
    const int convyInt = (int)std::floor(convy);
    const float convyFraction = convy - convyInt;
    const int convxInt = (int)std::floor(convx);
    const float convxFraction = convx - convxInt;
    const float area = convx * convy;

    int lowY = 0, highY = convyInt;
    float lowYFraction = 0, highYFraction = convyFraction;
    for (int i = 0; i < heightOut; ++i) {
        if (highY >= heightIn) highY = heightIn - 1;
        int lowX = 0, highX = convxInt;
        float lowXFraction = 0, highXFraction = convxFraction;
        for (int j = 0; j < widthOut; ++j) {
            float totals[MAX_COMPONENTS] = {0, 0, 0, 0};
            if (highY > lowY && highX > lowX) {
                // The first row, partly covered, then the last, then the columns between.
                float yWeight = 1 - lowYFraction;
                addTexel(totals, in, widthIn, components, lowX, lowY, yWeight * (1 - lowXFraction));
                for (int l = lowX + 1; l < highX; ++l) addTexel(totals, in, widthIn, components, l, lowY, yWeight);
                addTexel(totals, in, widthIn, components, highX, lowY, yWeight * highXFraction);

                yWeight = highYFraction;
                addTexel(totals, in, widthIn, components, lowX, highY, yWeight * (1 - lowXFraction));
                for (int l = lowX + 1; l < highX; ++l) addTexel(totals, in, widthIn, components, l, highY, yWeight);
                addTexel(totals, in, widthIn, components, highX, highY, yWeight * highXFraction);

                for (int m = lowY + 1; m < highY; ++m) {
                    // GLU's two column pointers move on by one texel every row as well.
                    int drift = m - lowY - 1;
                    const uint8_t* left = in + ((size_t)m * widthIn + lowX + drift) * components;
                    const uint8_t* right = in + ((size_t)m * widthIn + highX + drift) * components;
                    for (int k = 0; k < components; ++k)
                        totals[k] += left[k] * (1 - lowXFraction) + right[k] * highXFraction;
                }
            } else if (highY > lowY) {
                float xWeight = highXFraction - lowXFraction;
                addTexel(totals, in, widthIn, components, lowX, lowY, (1 - lowYFraction) * xWeight);
                for (int m = lowY + 1; m < highY; ++m) addTexel(totals, in, widthIn, components, lowX, m, xWeight);
                addTexel(totals, in, widthIn, components, lowX, highY, xWeight * highYFraction);
            } else if (highX > lowX) {
                float yWeight = highYFraction - lowYFraction;
                addTexel(totals, in, widthIn, components, lowX, lowY, (1 - lowXFraction) * yWeight);
                for (int l = lowX + 1; l < highX; ++l) addTexel(totals, in, widthIn, components, l, lowY, yWeight);
                addTexel(totals, in, widthIn, components, highX, lowY, yWeight * highXFraction);
            } else {
                addTexel(totals, in, widthIn, components, lowX, lowY,
                         (highYFraction - lowYFraction) * (highXFraction - lowXFraction));
            }
            // The fully covered texels inside.
            for (int m = lowY + 1; m < highY; ++m)
                for (int l = lowX + 1; l < highX; ++l) addTexel(totals, in, widthIn, components, l, m, 1.0f);

            uint8_t* texel = out + ((size_t)i * widthOut + j) * components;
            for (int k = 0; k < components; ++k) texel[k] = (uint8_t)(totals[k] / area);

            lowX = highX;
            lowXFraction = highXFraction;
            highX += convxInt;
            highXFraction += convxFraction;
            if (highXFraction > 1) {
                highXFraction -= 1.0f;
                ++highX;
            }
        }
        lowY = highY;
        lowYFraction = highYFraction;
        highY += convyInt;
        highYFraction += convyFraction;
        if (highYFraction > 1) {
            highYFraction -= 1.0f;
            ++highY;
        }
    }
}

}  // namespace

extern "C" {

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data)
{
    int components = componentsOf(format);
    if (target != GL_TEXTURE_2D || !components || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM_ERROR;
    if (width < 1 || height < 1) return GLU_INVALID_VALUE_ERROR;
    int w = nearestPower(width), h = nearestPower(height);
    if (w > MAX_TEXTURE_SIDE) w = MAX_TEXTURE_SIDE;
    if (h > MAX_TEXTURE_SIDE) h = MAX_TEXTURE_SIDE;

    std::unique_ptr<uint8_t[]> picture = tightCopy(width, height, components, data);
    std::unique_ptr<uint8_t[]> level;
    if (w == width && h == height) {
        level = std::move(picture);
    } else {
        level.reset(new uint8_t[(size_t)w * h * components]);
        scaleBytes(components, width, height, picture.get(), w, h, level.get());
        picture.reset();
    }
    // Our levels have tight rows: upload them so, and leave the unpack state as it was.
    PixelStore saved = gl.client.unpack;
    gl.client.unpack = PixelStore();
    gl.client.unpack.alignment = 1;
    int levels = mipmapLevelCount(w, h);
    for (int l = 0; l < levels; ++l) {
        glTexImage2D(GL_TEXTURE_2D, l, internalFormat, w, h, 0, format, GL_UNSIGNED_BYTE, level.get());
        if (l + 1 == levels) break;
        halveLevel(level.get(), w, h, components, level.get());
        w = halvedSide(w);
        h = halvedSide(h);
    }
    gl.client.unpack = saved;
    return 0;
}

}  // extern "C"
