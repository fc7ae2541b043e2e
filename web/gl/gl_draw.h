// Where GL primitives reach WebGL: the fixed-function state turned into the program's uniforms
// and WebGL's own state, and vertices sent from memory or from a display list's buffer.
// Depends on: gl_state.h, gl_shaders.h, WebGL 1.
#pragma once
#include "web/gl/gl_state.h"

#include <cstdint>

// One vertex as GL assembles it.
struct GeometryVertex {
    float position[4];
    float normal[3];
    float color[4];
    float texCoord[2];
};

// Which attributes the vertices carry; the others take the current values at draw time.
const int CARRIES_NORMAL = 1;
const int CARRIES_COLOR = 2;
const int CARRIES_TEXCOORD = 4;
const int CARRIES_ALL = CARRIES_NORMAL | CARRIES_COLOR | CARRIES_TEXCOORD;

// What GL's primitives become once taken apart: independent points, lines or triangles.
enum class PrimitiveKind { Points, Lines, Triangles };
PrimitiveKind primitiveKind(GLenum mode);
// How Mesa splits a quad: its display lists into (0,1,3) and (1,2,3), its immediate mode
// into (0,1,2) and (0,2,3). The other diagonal gives other pixels (the colours of a lit quad
// are interpolated across it).
enum class QuadSplit { AtFirstCorner, AtLastCorner };
const QuadSplit LIST_QUAD_SPLIT = QuadSplit::AtLastCorner;
const QuadSplit IMMEDIATE_QUAD_SPLIT = QuadSplit::AtFirstCorner;
// The corners (indices into 0..count-1) of the independent primitives of a GL primitive of
// count vertices: quads split as asked; strips and fans turned into triangles keeping their
// facing; loops closed.
void decomposePrimitive(GLenum mode, int count, QuadSplit split, std::vector<uint32_t>& corners);
bool knownPrimitiveMode(GLenum mode);

// Draws vertices from memory.
void drawVertices(PrimitiveKind kind, const GeometryVertex* vertices, int count, int carries);
// Draws vertices from memory through 16-bit indices.
void drawIndexedVertices(PrimitiveKind kind, const GeometryVertex* vertices, int vertexCount,
                         const uint16_t* indices, int indexCount, int carries);
// Draws count vertices from first of a WebGL buffer of GeometryVertex.
void drawBufferRange(unsigned int buffer, PrimitiveKind kind, int first, int count, int carries);
// Draws count independent triangles' vertices from first, from a WebGL buffer that holds
// the same vertices as memory does (or from memory when buffer is 0); those crossing the near
// plane are clipped on the CPU as Mesa clips them (gl_near_clip.cpp).
void drawTrianglesClippingNear(unsigned int buffer, const GeometryVertex* vertices, int first,
                               int count, int carries);
// Draws vertices given in window coordinates (x, y in pixels, z in 0..1), unlit: glBitmap's
// fragments.
void drawWindowVertices(const GeometryVertex* vertices, int count);

// Draws triangles whose positions are clip coordinates already and whose colours are final
// (lit and clamped).
void drawClipVertices(const GeometryVertex* vertices, int count);
// The upper 3 x 3 of the inverse of m, transposed: what normals are transformed by.
void normalMatrixOf(const Matrix4& m, float out[9]);

// WebGL buffers for display lists.
unsigned int createStaticBuffer(const GeometryVertex* vertices, int count);
void deleteStaticBuffer(unsigned int buffer);

// Makes WebGL's own state (blend, depth, cull, scissor, viewport, clear values, masks) what GL's
// is, for glClear and the draws.
void applyFramebufferState();

// Binds a WebGL texture (for uploads and parameters), keeping track of what is bound.
void bindWebGlTexture(unsigned int webglName);

// Creates the program and buffers; called once the WebGL context is current.
void initDrawing();
// Forgets what was last sent, so that everything is sent again.
void invalidateDrawingCache();
