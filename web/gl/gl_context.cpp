// The GL context's state, started at GL's defaults once the WebGL context is current, and
// the end of a frame.
// Depends on: gl_context.h, gl_state.h, gl_draw.h.
#include "web/gl/gl_context.h"

#include "web/gl/gl_draw.h"
#include "web/gl/gl_state.h"

GlContext gl;

void webGlContextReady(int width, int height)
{
    gl = GlContext();
    gl.modelview.capacity = MODELVIEW_STACK_DEPTH;
    gl.projection.capacity = PROJECTION_STACK_DEPTH;
    gl.texture.capacity = TEXTURE_STACK_DEPTH;
    gl.modelview.top() = identityMatrix();
    gl.projection.top() = identityMatrix();
    gl.texture.top() = identityMatrix();
    // GL_LIGHT0 alone starts white.
    for (int k = 0; k < 4; ++k) {
        gl.s.lights[0].diffuse[k] = 1;
        gl.s.lights[0].specular[k] = 1;
    }
    gl.s.viewport[2] = gl.s.scissor[2] = width;
    gl.s.viewport[3] = gl.s.scissor[3] = height;
    gl.drawingBufferWidth = width;
    gl.drawingBufferHeight = height;
    gl.ready = true;
    initDrawing();
}

void webGlFrameDone() { flushBitmaps(); }
