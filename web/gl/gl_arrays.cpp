// Client-side vertex arrays: the pointers, and glDrawArrays/glDrawElements, which read the
// program's memory at the call. Drawn through 16-bit indices when they fit; in a display list
// being compiled they become the immediate-mode calls GL defines them as.
// Depends on: gl_state.h, gl_draw.h, gl_lists.h.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_lists.h"
#include "web/gl/gl_state.h"

#include <algorithm>
#include <cstring>

namespace {

const uint32_t MAX_SHORT_INDEX_RANGE = 65536;

std::vector<GeometryVertex> gathered;
std::vector<uint32_t> corners;
std::vector<uint32_t> elementIndices;
std::vector<uint16_t> shortIndices;
std::vector<GeometryVertex> expanded;

ClientArray* clientArray(GLenum array)
{
    switch (array) {
    case GL_VERTEX_ARRAY: return &gl.client.vertex;
    case GL_NORMAL_ARRAY: return &gl.client.normal;
    case GL_COLOR_ARRAY: return &gl.client.color;
    case GL_TEXTURE_COORD_ARRAY: return &gl.client.texCoord;
    default: return nullptr;
    }
}

size_t typeSize(GLenum type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE: return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT: return 2;
    case GL_DOUBLE: return 8;
    default: return 4;
    }
}

float component(const void* p, GLenum type, int k, bool normalized)
{
    switch (type) {
    case GL_BYTE: return normalized ? ((const int8_t*)p)[k] / 127.0f : ((const int8_t*)p)[k];
    case GL_UNSIGNED_BYTE:
        return normalized ? ((const uint8_t*)p)[k] / UNSIGNED_BYTE_MAX : ((const uint8_t*)p)[k];
    case GL_SHORT: return normalized ? ((const int16_t*)p)[k] / 32767.0f : ((const int16_t*)p)[k];
    case GL_UNSIGNED_SHORT:
        return normalized ? ((const uint16_t*)p)[k] / 65535.0f : ((const uint16_t*)p)[k];
    case GL_INT: return (float)((const int32_t*)p)[k];
    case GL_UNSIGNED_INT: return (float)((const uint32_t*)p)[k];
    case GL_DOUBLE: return (float)((const double*)p)[k];
    default: return ((const float*)p)[k];
    }
}

// Element i of an array, its components read into out (the rest left as they are).
void readElement(const ClientArray& a, int i, float* out, int maxComponents, bool normalized)
{
    size_t stride = a.stride ? (size_t)a.stride : typeSize(a.type) * (size_t)a.size;
    const char* p = (const char*)a.pointer + stride * (size_t)i;
    int n = std::min((int)a.size, maxComponents);
    for (int k = 0; k < n; ++k) out[k] = component(p, a.type, k, normalized);
}

int carriedAttributes()
{
    int carries = 0;
    if (gl.client.normal.enabled && gl.client.normal.pointer) carries |= CARRIES_NORMAL;
    if (gl.client.color.enabled && gl.client.color.pointer) carries |= CARRIES_COLOR;
    if (gl.client.texCoord.enabled && gl.client.texCoord.pointer) carries |= CARRIES_TEXCOORD;
    return carries;
}

GeometryVertex gatherVertex(int i)
{
    GeometryVertex v;
    const VertexAttributes& c = gl.s.current;
    float position[4] = {0, 0, 0, 1};
    readElement(gl.client.vertex, i, position, 4, false);
    std::memcpy(v.position, position, sizeof position);
    std::memcpy(v.normal, c.normal, sizeof v.normal);
    std::memcpy(v.color, c.color, sizeof v.color);
    std::memcpy(v.texCoord, c.texCoord, sizeof v.texCoord);
    int carries = carriedAttributes();
    if (carries & CARRIES_NORMAL) readElement(gl.client.normal, i, v.normal, 3, true);
    if (carries & CARRIES_COLOR) {
        v.color[3] = 1;
        readElement(gl.client.color, i, v.color, 4, true);
    }
    if (carries & CARRIES_TEXCOORD) readElement(gl.client.texCoord, i, v.texCoord, 2, false);
    return v;
}

uint32_t elementIndex(const void* indices, GLenum type, int k)
{
    switch (type) {
    case GL_UNSIGNED_BYTE: return ((const uint8_t*)indices)[k];
    case GL_UNSIGNED_SHORT: return ((const uint16_t*)indices)[k];
    default: return ((const uint32_t*)indices)[k];
    }
}

bool arraysUsable(GLenum mode, GLsizei count)
{
    if (!knownPrimitiveMode(mode)) {
        setGlError(GL_INVALID_ENUM);
        return false;
    }
    if (count < 0) {
        setGlError(GL_INVALID_VALUE);
        return false;
    }
    return count > 0 && gl.client.vertex.enabled && gl.client.vertex.pointer;
}

// Whether a position of the arrays' elements low..high lies behind the near plane (clip
// z < -w).
bool anyCornerBehindNearPlane(uint32_t low, uint32_t high)
{
    Matrix4 mvp = multiplyMatrices(gl.projection.top(), gl.modelview.top());
    const float* m = mvp.m;
    for (uint32_t e = low; e <= high; ++e) {
        float p[4] = {0, 0, 0, 1};
        readElement(gl.client.vertex, (int)e, p, 4, false);
        float z = p[0] * m[2] + p[1] * m[6] + p[2] * m[10] + p[3] * m[14];
        float w = p[0] * m[3] + p[1] * m[7] + p[2] * m[11] + p[3] * m[15];
        if (z + w < 0) return true;
    }
    return false;
}

// Draws the elements listed (indices into the arrays) as a primitive of the mode.
void drawElementList(GLenum mode, const std::vector<uint32_t>& elements)
{
    if (listCompiling()) {
        // A list keeps the values the arrays hold now.
        glBegin(mode);
        for (uint32_t e : elements) glArrayElement((GLint)e);
        glEnd();
        return;
    }
    flushBitmaps();
    uint32_t low = *std::min_element(elements.begin(), elements.end());
    uint32_t high = *std::max_element(elements.begin(), elements.end());
    decomposePrimitive(mode, (int)elements.size(), IMMEDIATE_QUAD_SPLIT, corners);
    if (corners.empty()) return;
    int carries = carriedAttributes();
    PrimitiveKind kind = primitiveKind(mode);
    if (kind == PrimitiveKind::Triangles && anyCornerBehindNearPlane(low, high)) {
        // Those triangles are clipped on the CPU, as Mesa clips them.
        expanded.resize(corners.size());
        for (size_t k = 0; k < corners.size(); ++k) expanded[k] = gatherVertex((int)elements[corners[k]]);
        drawTrianglesClippingNear(0, expanded.data(), 0, (int)expanded.size(), carries);
    } else if (high - low < MAX_SHORT_INDEX_RANGE) {
        gathered.resize(high - low + 1);
        for (uint32_t i = low; i <= high; ++i) gathered[i - low] = gatherVertex((int)i);
        shortIndices.resize(corners.size());
        for (size_t k = 0; k < corners.size(); ++k)
            shortIndices[k] = (uint16_t)(elements[corners[k]] - low);
        drawIndexedVertices(kind, gathered.data(), (int)gathered.size(), shortIndices.data(),
                            (int)shortIndices.size(), carries);
    } else {
        expanded.resize(corners.size());
        for (size_t k = 0; k < corners.size(); ++k) expanded[k] = gatherVertex((int)elements[corners[k]]);
        drawVertices(kind, expanded.data(), (int)expanded.size(), carries);
    }
}

void setPointer(ClientArray& a, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (stride < 0 || size < 1 || size > 4) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    a.size = size;
    a.type = type;
    a.stride = stride;
    a.pointer = pointer;
}

}  // namespace

extern "C" {

void glEnableClientState(GLenum array)
{
    ClientArray* a = clientArray(array);
    if (!a) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    a->enabled = true;
}

void glDisableClientState(GLenum array)
{
    ClientArray* a = clientArray(array);
    if (!a) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    a->enabled = false;
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (size < 2) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    setPointer(gl.client.vertex, size, type, stride, pointer);
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl.client.normal, 3, type, stride, pointer);
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl.client.texCoord, size, type, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (size < 3) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    setPointer(gl.client.color, size, type, stride, pointer);
}

void glArrayElement(GLint i)
{
    if (i < 0) return;
    int carries = carriedAttributes();
    GeometryVertex v = gatherVertex(i);
    if (carries & CARRIES_NORMAL) glNormal3fv(v.normal);
    if (carries & CARRIES_COLOR) glColor4fv(v.color);
    if (carries & CARRIES_TEXCOORD) glTexCoord2fv(v.texCoord);
    if (gl.client.vertex.enabled && gl.client.vertex.pointer) {
        if (gl.client.vertex.size == 4) {
            // Our immediate mode has no glVertex4f: divide out w, which draws the same point.
            float w = v.position[3] != 0 ? v.position[3] : 1.0f;
            glVertex3f(v.position[0] / w, v.position[1] / w, v.position[2] / w);
        } else {
            glVertex3f(v.position[0], v.position[1], v.position[2]);
        }
    }
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    if (first < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    if (!arraysUsable(mode, count)) return;
    elementIndices.resize((size_t)count);
    for (GLsizei k = 0; k < count; ++k) elementIndices[(size_t)k] = (uint32_t)(first + k);
    drawElementList(mode, elementIndices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices)
{
    if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    if (!arraysUsable(mode, count) || !indices) return;
    elementIndices.resize((size_t)count);
    for (GLsizei k = 0; k < count; ++k) elementIndices[(size_t)k] = elementIndex(indices, type, (int)k);
    drawElementList(mode, elementIndices);
}

}  // extern "C"
