// glEnable/glDisable/glIsEnabled and the state calls that only set values (blend, depth,
// culling, viewport, scissor, clear values), plus glClear, which WebGL does as GL does.
// Depends on: gl_state.h, gl_draw.h.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_state.h"

#include <webgl/webgl1.h>

namespace {

// The flag behind a capability, or null for one we do not know.
bool* capabilityFlag(GLenum cap)
{
    ServerState& s = gl.s;
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + GL_LIGHT_COUNT) return &s.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
    case GL_BLEND: return &s.blend;
    case GL_CULL_FACE: return &s.cullFace;
    case GL_DEPTH_TEST: return &s.depthTest;
    case GL_LIGHTING: return &s.lighting;
    case GL_SCISSOR_TEST: return &s.scissorTest;
    case GL_TEXTURE_2D: return &s.texture2d;
    case GL_ALPHA_TEST: return &s.alphaTest;
    case GL_AUTO_NORMAL: return &s.autoNormal;
    case GL_COLOR_MATERIAL: return &s.colorMaterial;
    case GL_LINE_SMOOTH: return &s.lineSmooth;
    case GL_NORMALIZE: return &s.normalize;
    case GL_POLYGON_SMOOTH: return &s.polygonSmooth;
    case GL_POINT_SMOOTH: return &s.pointSmooth;
    case GL_DITHER: return &s.dither;
    case GL_RESCALE_NORMAL: return &s.rescaleNormal;
    case GL_POLYGON_OFFSET_FILL: return &s.polygonOffsetFill;
    case GL_FOG: return &s.fog;
    case GL_STENCIL_TEST: return &s.stencilTest;
    case GL_TEXTURE_1D: return &s.texture1d;
    default: return nullptr;
    }
}

bool* clientArrayFlag(GLenum cap)
{
    switch (cap) {
    case GL_VERTEX_ARRAY: return &gl.client.vertex.enabled;
    case GL_NORMAL_ARRAY: return &gl.client.normal.enabled;
    case GL_COLOR_ARRAY: return &gl.client.color.enabled;
    case GL_TEXTURE_COORD_ARRAY: return &gl.client.texCoord.enabled;
    default: return nullptr;
    }
}

void setCapability(GLenum cap, bool on)
{
    bool* flag = capabilityFlag(cap);
    if (!flag) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    bool was = *flag;
    *flag = on;
    // Turning colour tracking on applies the current colour to the material at once.
    if (cap == GL_COLOR_MATERIAL && on && !was) trackCurrentColorMaterial();
}

bool validComparison(GLenum func) { return func >= GL_NEVER && func <= GL_ALWAYS; }

}  // namespace

void setGlError(GLenum error)
{
    if (gl.error == GL_NO_ERROR) gl.error = error;
}

extern "C" {

void glEnable(GLenum cap)
{
    if (stateCallRecorded([=] { glEnable(cap); })) return;
    setCapability(cap, true);
}

void glDisable(GLenum cap)
{
    if (stateCallRecorded([=] { glDisable(cap); })) return;
    setCapability(cap, false);
}

GLboolean glIsEnabled(GLenum cap)
{
    if (bool* flag = capabilityFlag(cap)) return *flag ? GL_TRUE : GL_FALSE;
    if (bool* flag = clientArrayFlag(cap)) return *flag ? GL_TRUE : GL_FALSE;
    setGlError(GL_INVALID_ENUM);
    return GL_FALSE;
}

GLenum glGetError(void)
{
    GLenum e = gl.error;
    gl.error = GL_NO_ERROR;
    return e;
}

void glClear(GLbitfield mask)
{
    if (stateCallRecorded([=] { glClear(mask); })) return;
    if (!gl.ready) return;
    applyFramebufferState();
    emscripten_glClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    if (stateCallRecorded([=] { glClearColor(red, green, blue, alpha); })) return;
    auto clamp = [](float v) { return v < 0 ? 0.0f : v > 1 ? 1.0f : v; };
    gl.s.clearColor[0] = clamp(red);
    gl.s.clearColor[1] = clamp(green);
    gl.s.clearColor[2] = clamp(blue);
    gl.s.clearColor[3] = clamp(alpha);
}

void glClearDepth(GLclampd depth)
{
    if (stateCallRecorded([=] { glClearDepth(depth); })) return;
    gl.s.clearDepth = depth < 0 ? 0 : depth > 1 ? 1 : depth;
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (stateCallRecorded([=] { glViewport(x, y, width, height); })) return;
    if (width < 0 || height < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    gl.s.viewport[0] = x;
    gl.s.viewport[1] = y;
    gl.s.viewport[2] = width;
    gl.s.viewport[3] = height;
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (stateCallRecorded([=] { glScissor(x, y, width, height); })) return;
    if (width < 0 || height < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    gl.s.scissor[0] = x;
    gl.s.scissor[1] = y;
    gl.s.scissor[2] = width;
    gl.s.scissor[3] = height;
}

void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    if (stateCallRecorded([=] { glBlendFunc(sfactor, dfactor); })) return;
    gl.s.blendSrc = sfactor;
    gl.s.blendDst = dfactor;
}

void glAlphaFunc(GLenum func, GLclampf ref)
{
    if (stateCallRecorded([=] { glAlphaFunc(func, ref); })) return;
    if (!validComparison(func)) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.alphaFunc = func;
    gl.s.alphaRef = ref < 0 ? 0 : ref > 1 ? 1 : ref;
}

void glDepthFunc(GLenum func)
{
    if (stateCallRecorded([=] { glDepthFunc(func); })) return;
    if (!validComparison(func)) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.depthFunc = func;
}

void glDepthMask(GLboolean flag)
{
    if (stateCallRecorded([=] { glDepthMask(flag); })) return;
    gl.s.depthMask = flag != GL_FALSE;
}

void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha)
{
    if (stateCallRecorded([=] { glColorMask(red, green, blue, alpha); })) return;
    gl.s.colorMask[0] = red != GL_FALSE;
    gl.s.colorMask[1] = green != GL_FALSE;
    gl.s.colorMask[2] = blue != GL_FALSE;
    gl.s.colorMask[3] = alpha != GL_FALSE;
}

void glCullFace(GLenum mode)
{
    if (stateCallRecorded([=] { glCullFace(mode); })) return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.cullFaceMode = mode;
}

void glFrontFace(GLenum mode)
{
    if (stateCallRecorded([=] { glFrontFace(mode); })) return;
    if (mode != GL_CW && mode != GL_CCW) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.frontFace = mode;
}

// Smooth shading is what WebGL interpolates; flat shading is remembered but drawn smooth.
void glShadeModel(GLenum mode)
{
    if (stateCallRecorded([=] { glShadeModel(mode); })) return;
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.shadeModel = mode;
}

void glLineWidth(GLfloat width)
{
    if (stateCallRecorded([=] { glLineWidth(width); })) return;
    if (width <= 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    gl.s.lineWidth = width;
}

void glPointSize(GLfloat size)
{
    if (stateCallRecorded([=] { glPointSize(size); })) return;
    if (size <= 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    gl.s.pointSize = size;
}

// Polygons are always filled here.
void glPolygonMode(GLenum face, GLenum mode)
{
    if (stateCallRecorded([=] { glPolygonMode(face, mode); })) return;
    (void)face;
    (void)mode;
}

void glHint(GLenum target, GLenum mode)
{
    if (stateCallRecorded([=] { glHint(target, mode); })) return;
    const GLenum targets[HINT_COUNT] = {GL_PERSPECTIVE_CORRECTION_HINT, GL_LINE_SMOOTH_HINT,
                                        GL_POLYGON_SMOOTH_HINT};
    for (int i = 0; i < HINT_COUNT; ++i)
        if (targets[i] == target) gl.s.hints[i] = mode;
}

// The window's one colour buffer is read and drawn.
void glReadBuffer(GLenum mode) { (void)mode; }
void glDrawBuffer(GLenum mode)
{
    if (stateCallRecorded([=] { glDrawBuffer(mode); })) return;
}

void glFlush(void)
{
    flushBitmaps();
    if (gl.ready) emscripten_glFlush();
}

void glFinish(void)
{
    flushBitmaps();
    if (gl.ready) emscripten_glFinish();
}

}  // extern "C"
