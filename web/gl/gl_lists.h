// What the immediate mode needs from the display lists being compiled: the attribute values
// as the list sets them, and where its primitives go.
// Depends on: gl_draw.h.
#pragma once
#include "web/gl/gl_draw.h"

// Calls made now also run now: no list is being compiled, or it is GL_COMPILE_AND_EXECUTE.
bool callsRunNow();
// The current attributes as the list being compiled has set them so far.
VertexAttributes& listAttributes();
// The list being compiled set this attribute (a CARRIES_ bit): its vertices carry it from now.
void listSetsAttribute(int carries);
// A primitive of the list being compiled: its vertices as GL received them.
void listAddPrimitive(GLenum mode, const std::vector<GeometryVertex>& vertices);
