// GL's primitives taken apart into the independent points, lines and triangles WebGL draws, in
// the corner order Mesa uses.
// Depends on: gl_draw.h.
#include "web/gl/gl_draw.h"

bool knownPrimitiveMode(GLenum mode)
{
    switch (mode) {
    case GL_POINTS:
    case GL_LINES:
    case GL_LINE_LOOP:
    case GL_LINE_STRIP:
    case GL_TRIANGLES:
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_QUADS:
    case GL_QUAD_STRIP:
    case GL_POLYGON:
        return true;
    default:
        return false;
    }
}

PrimitiveKind primitiveKind(GLenum mode)
{
    switch (mode) {
    case GL_POINTS: return PrimitiveKind::Points;
    case GL_LINES:
    case GL_LINE_LOOP:
    case GL_LINE_STRIP: return PrimitiveKind::Lines;
    default: return PrimitiveKind::Triangles;
    }
}

void decomposePrimitive(GLenum mode, int count, QuadSplit split, std::vector<uint32_t>& corners)
{
    corners.clear();
    auto add = [&corners](int a) { corners.push_back((uint32_t)a); };
    auto triangle = [&add](int a, int b, int c) {
        add(a);
        add(b);
        add(c);
    };
    switch (mode) {
    case GL_POINTS:
        for (int i = 0; i < count; ++i) add(i);
        break;
    case GL_LINES:
        for (int i = 0; i + 1 < count; i += 2) {
            add(i);
            add(i + 1);
        }
        break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (int i = 0; i + 1 < count; ++i) {
            add(i);
            add(i + 1);
        }
        if (mode == GL_LINE_LOOP && count > 2) {
            add(count - 1);
            add(0);
        }
        break;
    case GL_TRIANGLES:
        for (int i = 0; i + 2 < count; i += 3) triangle(i, i + 1, i + 2);
        break;
    case GL_TRIANGLE_STRIP:
        for (int i = 0; i + 2 < count; ++i) {
            if (i % 2 == 0) triangle(i, i + 1, i + 2);
            else triangle(i + 1, i, i + 2);
        }
        break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
        for (int i = 1; i + 1 < count; ++i) triangle(0, i, i + 1);
        break;
    case GL_QUADS:
        for (int i = 0; i + 3 < count; i += 4) {
            if (split == QuadSplit::AtLastCorner) {
                triangle(i, i + 1, i + 3);
                triangle(i + 1, i + 2, i + 3);
            } else {
                triangle(i, i + 1, i + 2);
                triangle(i, i + 2, i + 3);
            }
        }
        break;
    case GL_QUAD_STRIP:
        // Quad k has the corners 2k, 2k+1, 2k+3, 2k+2 in its order around.
        for (int i = 0; i + 3 < count; i += 2) {
            triangle(i, i + 1, i + 2);
            triangle(i + 1, i + 3, i + 2);
        }
        break;
    default:
        break;
    }
}
