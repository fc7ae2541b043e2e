// Pixel rectangles: the pixel store, glReadPixels (WebGL reads RGBA only: converted to what
// was asked, rows packed as GL packs them), the raster position and glBitmap. A bitmap's set
// bits become one-pixel-high runs drawn as window-space quads with the raster colour, gathered
// until something could change how they look.
// Depends on: gl_state.h, gl_draw.h, gl_lists.h, WebGL 1.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_lists.h"
#include "web/gl/gl_state.h"

#include <webgl/webgl1.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

// Mesa places a bitmap at the raster position plus this before rounding down.
const float BITMAP_EPSILON = 0.0001f;
const int BITS_PER_BYTE = 8;
const int TOP_BIT = 7;
const int RGBA_BYTES = 4;

std::vector<GeometryVertex> pendingBitmapVertices;

bool validAlignment(GLint a) { return a == 1 || a == 2 || a == 4 || a == 8; }

GeometryVertex windowVertex(float x, float y)
{
    const ServerState& s = gl.s;
    GeometryVertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = s.rasterPosition[2];
    v.position[3] = 1;
    v.normal[0] = v.normal[1] = 0;
    v.normal[2] = 1;
    std::memcpy(v.color, s.rasterColor, sizeof v.color);
    std::memcpy(v.texCoord, s.rasterTexCoord, sizeof v.texCoord);
    return v;
}

// The bitmap's pixels, one byte each (0 or 1), bottom row first, read with the unpack state.
std::vector<uint8_t> unpackBitmap(int width, int height, const GLubyte* bitmap)
{
    const PixelStore& u = gl.client.unpack;
    std::vector<uint8_t> bits((size_t)width * height, 0);
    if (!bitmap) return bits;
    size_t rowPixels = u.rowLength > 0 ? (size_t)u.rowLength : (size_t)width;
    size_t rowBytes = (rowPixels + BITS_PER_BYTE - 1) / BITS_PER_BYTE;
    size_t align = validAlignment(u.alignment) ? (size_t)u.alignment : 1;
    rowBytes = (rowBytes + align - 1) / align * align;
    for (int y = 0; y < height; ++y) {
        const GLubyte* row = bitmap + (size_t)(y + u.skipRows) * rowBytes;
        for (int x = 0; x < width; ++x) {
            size_t bit = (size_t)(x + u.skipPixels);
            int shift = u.lsbFirst ? (int)(bit % BITS_PER_BYTE) : TOP_BIT - (int)(bit % BITS_PER_BYTE);
            bits[(size_t)y * width + x] = (row[bit / BITS_PER_BYTE] >> shift) & 1;
        }
    }
    return bits;
}

void drawBitmapBits(int width, int height, float xorig, float yorig, float xmove, float ymove,
                    const std::vector<uint8_t>& bits)
{
    ServerState& s = gl.s;
    if (!s.rasterValid) return;
    int x0 = (int)std::floor(s.rasterPosition[0] + BITMAP_EPSILON - xorig);
    int y0 = (int)std::floor(s.rasterPosition[1] + BITMAP_EPSILON - yorig);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits.data() + (size_t)y * width;
        for (int x = 0; x < width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            int end = x;
            while (end < width && row[end]) ++end;
            float left = (float)(x0 + x), right = (float)(x0 + end);
            float bottom = (float)(y0 + y), top = (float)(y0 + y + 1);
            const GeometryVertex corners[6] = {
                windowVertex(left, bottom), windowVertex(right, bottom), windowVertex(right, top),
                windowVertex(left, bottom), windowVertex(right, top),    windowVertex(left, top)};
            pendingBitmapVertices.insert(pendingBitmapVertices.end(), corners, corners + 6);
            x = end;
        }
    }
    s.rasterPosition[0] += xmove;
    s.rasterPosition[1] += ymove;
}

// The raster position of an object-space point, in window coordinates, with its colour.
void setRasterPosition(float x, float y, float z, float w)
{
    ServerState& s = gl.s;
    Matrix4 mvp = multiplyMatrices(gl.projection.top(), gl.modelview.top());
    const float* m = mvp.m;
    float clip[4];
    for (int i = 0; i < 4; ++i) clip[i] = m[i] * x + m[4 + i] * y + m[8 + i] * z + m[12 + i] * w;
    s.rasterValid = true;
    for (int i = 0; i < 3; ++i)
        if (clip[i] < -clip[3] || clip[i] > clip[3]) s.rasterValid = false;
    if (!s.rasterValid) return;
    const int* v = s.viewport;
    float halfWidth = v[2] * 0.5f, halfHeight = v[3] * 0.5f;
    s.rasterPosition[0] = clip[0] / clip[3] * halfWidth + (halfWidth + v[0]);
    s.rasterPosition[1] = clip[1] / clip[3] * halfHeight + (halfHeight + v[1]);
    s.rasterPosition[2] = clip[2] / clip[3] * 0.5f + 0.5f;
    s.rasterPosition[3] = clip[3];
    // Lighting is not applied to the raster colour here: it is the current colour.
    std::memcpy(s.rasterColor, s.current.color, sizeof s.rasterColor);
    std::memcpy(s.rasterTexCoord, s.current.texCoord, sizeof s.rasterTexCoord);
}

// Writes RGBA pixels (bottom row first, tight) as format, rows packed with the pack state.
void packPixels(const uint8_t* rgba, int width, int height, GLenum format, uint8_t* out)
{
    const PixelStore& p = gl.client.pack;
    int components = format == GL_RGBA || format == GL_BGRA ? 4
                     : format == GL_RGB || format == GL_BGR ? 3
                     : format == GL_LUMINANCE_ALPHA        ? 2
                                                           : 1;
    size_t rowPixels = p.rowLength > 0 ? (size_t)p.rowLength : (size_t)width;
    size_t align = validAlignment(p.alignment) ? (size_t)p.alignment : 1;
    size_t rowBytes = (rowPixels * components + align - 1) / align * align;
    uint8_t* base = out + (size_t)p.skipRows * rowBytes + (size_t)p.skipPixels * components;
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = base + (size_t)y * rowBytes;
        const uint8_t* src = rgba + (size_t)y * width * RGBA_BYTES;
        for (int x = 0; x < width; ++x, src += RGBA_BYTES, dst += components) {
            switch (format) {
            case GL_RGB: dst[0] = src[0]; dst[1] = src[1]; dst[2] = src[2]; break;
            case GL_BGR: dst[0] = src[2]; dst[1] = src[1]; dst[2] = src[0]; break;
            case GL_BGRA: dst[0] = src[2]; dst[1] = src[1]; dst[2] = src[0]; dst[3] = src[3]; break;
            case GL_ALPHA: dst[0] = src[3]; break;
            case GL_LUMINANCE:
            case GL_LUMINANCE_ALPHA: {
                int sum = src[0] + src[1] + src[2];
                dst[0] = (uint8_t)(sum > 255 ? 255 : sum);
                if (format == GL_LUMINANCE_ALPHA) dst[1] = src[3];
                break;
            }
            default: std::memcpy(dst, src, RGBA_BYTES); break;
            }
        }
    }
}

}  // namespace

void flushBitmaps()
{
    if (pendingBitmapVertices.empty()) return;
    // Drawing must not come back here.
    std::vector<GeometryVertex> vertices;
    vertices.swap(pendingBitmapVertices);
    drawWindowVertices(vertices.data(), (int)vertices.size());
    vertices.clear();
    pendingBitmapVertices.swap(vertices);
}

extern "C" {

void glPixelStorei(GLenum pname, GLint param)
{
    PixelStore* store = nullptr;
    switch (pname) {
    case GL_UNPACK_ALIGNMENT:
    case GL_UNPACK_ROW_LENGTH:
    case GL_UNPACK_SKIP_ROWS:
    case GL_UNPACK_SKIP_PIXELS:
    case GL_UNPACK_SWAP_BYTES:
    case GL_UNPACK_LSB_FIRST: store = &gl.client.unpack; break;
    case GL_PACK_ALIGNMENT:
    case GL_PACK_ROW_LENGTH:
    case GL_PACK_SKIP_ROWS:
    case GL_PACK_SKIP_PIXELS:
    case GL_PACK_SWAP_BYTES:
    case GL_PACK_LSB_FIRST: store = &gl.client.pack; break;
    default: setGlError(GL_INVALID_ENUM); return;
    }
    switch (pname) {
    case GL_UNPACK_ALIGNMENT:
    case GL_PACK_ALIGNMENT:
        if (!validAlignment(param)) {
            setGlError(GL_INVALID_VALUE);
            return;
        }
        store->alignment = param;
        return;
    case GL_UNPACK_SWAP_BYTES:
    case GL_PACK_SWAP_BYTES: store->swapBytes = param != 0; return;
    case GL_UNPACK_LSB_FIRST:
    case GL_PACK_LSB_FIRST: store->lsbFirst = param != 0; return;
    default: break;
    }
    if (param < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    if (pname == GL_UNPACK_ROW_LENGTH || pname == GL_PACK_ROW_LENGTH) store->rowLength = param;
    else if (pname == GL_UNPACK_SKIP_ROWS || pname == GL_PACK_SKIP_ROWS) store->skipRows = param;
    else store->skipPixels = param;
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels)
{
    if (width < 0 || height < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    if (type != GL_UNSIGNED_BYTE ||
        (format != GL_RGB && format != GL_RGBA && format != GL_BGR && format != GL_BGRA &&
         format != GL_ALPHA && format != GL_LUMINANCE && format != GL_LUMINANCE_ALPHA)) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    if (width == 0 || height == 0 || !pixels || !gl.ready) return;
    flushBitmaps();
    std::unique_ptr<uint8_t[]> rgba(new uint8_t[(size_t)width * height * RGBA_BYTES]);
    emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.get());
    packPixels(rgba.get(), width, height, format, (uint8_t*)pixels);
}

void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (listCompiling() && listRecords([=] { glRasterPos3f(x, y, z); })) return;
    setRasterPosition(x, y, z, 1);
}

void glRasterPos2f(GLfloat x, GLfloat y) { glRasterPos3f(x, y, 0); }
void glRasterPos2i(GLint x, GLint y) { glRasterPos3f((float)x, (float)y, 0); }

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap)
{
    if (width < 0 || height < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    // A list keeps the bits as they are now.
    std::vector<uint8_t> bits = unpackBitmap(width, height, bitmap);
    if (listCompiling() &&
        listRecords([=] { drawBitmapBits(width, height, xorig, yorig, xmove, ymove, bits); }))
        return;
    drawBitmapBits(width, height, xorig, yorig, xmove, ymove, bits);
}

}  // extern "C"
