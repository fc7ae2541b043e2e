// State queries (glGet*, glGetString) and the attribute stacks (glPushAttrib/glPopAttrib,
// glPushClientAttrib/glPopClientAttrib).
// Depends on: gl_state.h, gl_draw.h (the WebGL texture bound for parameters).
#include "web/gl/gl_draw.h"
#include "web/gl/gl_state.h"

#include <cstring>

namespace {

const int MAX_QUERY_VALUES = 16;
const int DEPTH_BITS = 24;
const int COLOR_BITS = 8;
const int LIST_NESTING = 64;
const GLubyte VENDOR[] = "Kerb Runner";
const GLubyte RENDERER[] = "GL 1.1 on WebGL 1";
const GLubyte VERSION[] = "1.1";
const GLubyte EXTENSIONS[] = "";

// The values of a query, as floats; how many, or 0 for a name we do not know.
int queryValues(GLenum pname, float* out)
{
    const ServerState& s = gl.s;
    auto copy = [out](const float* v, int n) {
        std::memcpy(out, v, sizeof(float) * n);
        return n;
    };
    auto one = [out](double v) {
        out[0] = (float)v;
        return 1;
    };
    switch (pname) {
    case GL_MODELVIEW_MATRIX: return copy(gl.modelview.top().m, 16);
    case GL_PROJECTION_MATRIX: return copy(gl.projection.top().m, 16);
    case GL_TEXTURE_MATRIX: return copy(gl.texture.top().m, 16);
    case GL_VIEWPORT:
    case GL_SCISSOR_BOX: {
        const int* v = pname == GL_VIEWPORT ? s.viewport : s.scissor;
        for (int i = 0; i < 4; ++i) out[i] = (float)v[i];
        return 4;
    }
    case GL_CURRENT_COLOR: return copy(s.current.color, 4);
    case GL_CURRENT_NORMAL: return copy(s.current.normal, 3);
    case GL_CURRENT_TEXTURE_COORDS:
        out[0] = s.current.texCoord[0];
        out[1] = s.current.texCoord[1];
        out[2] = 0;
        out[3] = 1;
        return 4;
    case GL_CURRENT_RASTER_POSITION: return copy(s.rasterPosition, 4);
    case GL_CURRENT_RASTER_POSITION_VALID: return one(s.rasterValid);
    case GL_CURRENT_RASTER_COLOR: return copy(s.rasterColor, 4);
    case GL_COLOR_CLEAR_VALUE: return copy(s.clearColor, 4);
    case GL_DEPTH_CLEAR_VALUE: return one(s.clearDepth);
    case GL_MATRIX_MODE: return one(s.matrixMode);
    case GL_MODELVIEW_STACK_DEPTH: return one(gl.modelview.depth + 1);
    case GL_PROJECTION_STACK_DEPTH: return one(gl.projection.depth + 1);
    case GL_MAX_MODELVIEW_STACK_DEPTH: return one(MODELVIEW_STACK_DEPTH);
    case GL_MAX_PROJECTION_STACK_DEPTH: return one(PROJECTION_STACK_DEPTH);
    case GL_MAX_ATTRIB_STACK_DEPTH: return one(ATTRIB_STACK_DEPTH);
    case GL_MAX_LIGHTS: return one(GL_LIGHT_COUNT);
    case GL_MAX_TEXTURE_SIZE: return one(MAX_TEXTURE_SIDE);
    case GL_MAX_LIST_NESTING: return one(LIST_NESTING);
    case GL_UNPACK_ALIGNMENT: return one(gl.client.unpack.alignment);
    case GL_UNPACK_ROW_LENGTH: return one(gl.client.unpack.rowLength);
    case GL_UNPACK_SKIP_ROWS: return one(gl.client.unpack.skipRows);
    case GL_UNPACK_SKIP_PIXELS: return one(gl.client.unpack.skipPixels);
    case GL_UNPACK_SWAP_BYTES: return one(gl.client.unpack.swapBytes);
    case GL_UNPACK_LSB_FIRST: return one(gl.client.unpack.lsbFirst);
    case GL_PACK_ALIGNMENT: return one(gl.client.pack.alignment);
    case GL_PACK_ROW_LENGTH: return one(gl.client.pack.rowLength);
    case GL_PACK_SKIP_ROWS: return one(gl.client.pack.skipRows);
    case GL_PACK_SKIP_PIXELS: return one(gl.client.pack.skipPixels);
    case GL_PACK_SWAP_BYTES: return one(gl.client.pack.swapBytes);
    case GL_PACK_LSB_FIRST: return one(gl.client.pack.lsbFirst);
    case GL_TEXTURE_BINDING_2D: return one(s.boundTexture);
    case GL_CULL_FACE_MODE: return one(s.cullFaceMode);
    case GL_FRONT_FACE: return one(s.frontFace);
    case GL_SHADE_MODEL: return one(s.shadeModel);
    case GL_BLEND_SRC: return one(s.blendSrc);
    case GL_BLEND_DST: return one(s.blendDst);
    case GL_ALPHA_TEST_FUNC: return one(s.alphaFunc);
    case GL_ALPHA_TEST_REF: return one(s.alphaRef);
    case GL_DEPTH_FUNC: return one(s.depthFunc);
    case GL_DEPTH_WRITEMASK: return one(s.depthMask);
    case GL_LIGHT_MODEL_AMBIENT: return copy(s.lightModelAmbient, 4);
    case GL_LIGHT_MODEL_LOCAL_VIEWER: return one(s.localViewer);
    case GL_LIGHT_MODEL_TWO_SIDE: return one(s.twoSide);
    case GL_COLOR_MATERIAL_FACE: return one(s.colorMaterialFace);
    case GL_COLOR_MATERIAL_PARAMETER: return one(s.colorMaterialMode);
    case GL_RED_BITS:
    case GL_GREEN_BITS:
    case GL_BLUE_BITS: return one(COLOR_BITS);
    case GL_ALPHA_BITS: return one(0);
    case GL_DEPTH_BITS: return one(DEPTH_BITS);
    default: break;
    }
    if (glIsEnabled(pname)) return one(1);
    return 0;
}

// Integer queries of colours map 0..1 onto the whole integer range, as GL does; others round.
bool colourQuery(GLenum pname)
{
    return pname == GL_CURRENT_COLOR || pname == GL_CURRENT_RASTER_COLOR ||
           pname == GL_COLOR_CLEAR_VALUE || pname == GL_LIGHT_MODEL_AMBIENT;
}

bool query(GLenum pname, float* out, int& count)
{
    count = queryValues(pname, out);
    if (count == 0) {
        // A capability that is off answers 0; anything else is unknown.
        GLenum saved = gl.error;
        gl.error = GL_NO_ERROR;
        glIsEnabled(pname);
        bool known = gl.error == GL_NO_ERROR;
        gl.error = saved;
        if (!known) {
            setGlError(GL_INVALID_ENUM);
            return false;
        }
        out[0] = 0;
        count = 1;
    }
    return true;
}

void restoreTextureParameters(const TextureObject& saved)
{
    TextureObject& t = textureObject(gl.s.boundTexture);
    t.minFilter = saved.minFilter;
    t.magFilter = saved.magFilter;
    t.wrapS = saved.wrapS;
    t.wrapT = saved.wrapT;
    if (!t.webglName) return;
    bindWebGlTexture(t.webglName);
    applyTextureParameters(t);
}

}  // namespace

extern "C" {

void glGetFloatv(GLenum pname, GLfloat* params)
{
    float v[MAX_QUERY_VALUES];
    int n = 0;
    if (query(pname, v, n)) std::memcpy(params, v, sizeof(float) * n);
}

void glGetDoublev(GLenum pname, GLdouble* params)
{
    float v[MAX_QUERY_VALUES];
    int n = 0;
    if (query(pname, v, n))
        for (int i = 0; i < n; ++i) params[i] = v[i];
}

void glGetIntegerv(GLenum pname, GLint* params)
{
    float v[MAX_QUERY_VALUES];
    int n = 0;
    if (!query(pname, v, n)) return;
    for (int i = 0; i < n; ++i) {
        if (colourQuery(pname)) {
            const double range = 2147483647.0;
            params[i] = (GLint)(v[i] * range);
        } else {
            params[i] = (GLint)(v[i] < 0 ? v[i] - 0.5f : v[i] + 0.5f);
        }
    }
}

void glGetBooleanv(GLenum pname, GLboolean* params)
{
    float v[MAX_QUERY_VALUES];
    int n = 0;
    if (query(pname, v, n))
        for (int i = 0; i < n; ++i) params[i] = v[i] != 0 ? GL_TRUE : GL_FALSE;
}

const GLubyte* glGetString(GLenum name)
{
    switch (name) {
    case GL_VENDOR: return VENDOR;
    case GL_RENDERER: return RENDERER;
    case GL_VERSION: return VERSION;
    case GL_EXTENSIONS: return EXTENSIONS;
    default: setGlError(GL_INVALID_ENUM); return nullptr;
    }
}

void glPushAttrib(GLbitfield mask)
{
    if (stateCallRecorded([=] { glPushAttrib(mask); })) return;
    if ((int)gl.attribStack.size() >= ATTRIB_STACK_DEPTH) {
        setGlError(GL_STACK_OVERFLOW);
        return;
    }
    gl.attribStack.push_back(AttribEntry{mask, gl.s, textureObject(gl.s.boundTexture)});
}

void glPopAttrib(void)
{
    if (stateCallRecorded([] { glPopAttrib(); })) return;
    if (gl.attribStack.empty()) {
        setGlError(GL_STACK_UNDERFLOW);
        return;
    }
    AttribEntry e = gl.attribStack.back();
    gl.attribStack.pop_back();
    const ServerState& o = e.saved;
    ServerState& s = gl.s;
    GLbitfield m = e.mask;
    if (m & GL_CURRENT_BIT) {
        s.current = o.current;
        std::memcpy(s.rasterPosition, o.rasterPosition, sizeof s.rasterPosition);
        s.rasterValid = o.rasterValid;
        std::memcpy(s.rasterColor, o.rasterColor, sizeof s.rasterColor);
        std::memcpy(s.rasterTexCoord, o.rasterTexCoord, sizeof s.rasterTexCoord);
    }
    if (m & GL_ENABLE_BIT) {
        s.blend = o.blend;
        s.cullFace = o.cullFace;
        s.depthTest = o.depthTest;
        s.lighting = o.lighting;
        s.scissorTest = o.scissorTest;
        s.texture2d = o.texture2d;
        s.alphaTest = o.alphaTest;
        s.autoNormal = o.autoNormal;
        s.colorMaterial = o.colorMaterial;
        s.lineSmooth = o.lineSmooth;
        s.normalize = o.normalize;
        s.polygonSmooth = o.polygonSmooth;
        s.pointSmooth = o.pointSmooth;
        s.dither = o.dither;
        s.rescaleNormal = o.rescaleNormal;
        s.polygonOffsetFill = o.polygonOffsetFill;
        s.fog = o.fog;
        s.stencilTest = o.stencilTest;
        s.texture1d = o.texture1d;
        for (int i = 0; i < GL_LIGHT_COUNT; ++i) s.lights[i].enabled = o.lights[i].enabled;
    }
    if (m & GL_LIGHTING_BIT) {
        // A light's own flag is a lighting bit as well as an enable bit.
        for (int i = 0; i < GL_LIGHT_COUNT; ++i) s.lights[i] = o.lights[i];
        s.material[0] = o.material[0];
        s.material[1] = o.material[1];
        std::memcpy(s.lightModelAmbient, o.lightModelAmbient, sizeof s.lightModelAmbient);
        s.localViewer = o.localViewer;
        s.twoSide = o.twoSide;
        s.colorMaterialFace = o.colorMaterialFace;
        s.colorMaterialMode = o.colorMaterialMode;
        s.shadeModel = o.shadeModel;
        s.lighting = o.lighting;
        s.colorMaterial = o.colorMaterial;
    }
    if (m & GL_COLOR_BUFFER_BIT) {
        s.blend = o.blend;
        s.blendSrc = o.blendSrc;
        s.blendDst = o.blendDst;
        s.alphaTest = o.alphaTest;
        s.alphaFunc = o.alphaFunc;
        s.alphaRef = o.alphaRef;
        s.dither = o.dither;
        std::memcpy(s.colorMask, o.colorMask, sizeof s.colorMask);
        std::memcpy(s.clearColor, o.clearColor, sizeof s.clearColor);
    }
    if (m & GL_DEPTH_BUFFER_BIT) {
        s.depthTest = o.depthTest;
        s.depthFunc = o.depthFunc;
        s.depthMask = o.depthMask;
        s.clearDepth = o.clearDepth;
    }
    if (m & GL_POLYGON_BIT) {
        s.cullFace = o.cullFace;
        s.cullFaceMode = o.cullFaceMode;
        s.frontFace = o.frontFace;
        s.polygonSmooth = o.polygonSmooth;
        s.polygonOffsetFill = o.polygonOffsetFill;
    }
    if (m & GL_VIEWPORT_BIT) std::memcpy(s.viewport, o.viewport, sizeof s.viewport);
    if (m & GL_SCISSOR_BIT) {
        s.scissorTest = o.scissorTest;
        std::memcpy(s.scissor, o.scissor, sizeof s.scissor);
    }
    if (m & GL_TRANSFORM_BIT) {
        s.matrixMode = o.matrixMode;
        s.normalize = o.normalize;
        s.rescaleNormal = o.rescaleNormal;
    }
    if (m & GL_LINE_BIT) {
        s.lineWidth = o.lineWidth;
        s.lineSmooth = o.lineSmooth;
    }
    if (m & GL_POINT_BIT) {
        s.pointSize = o.pointSize;
        s.pointSmooth = o.pointSmooth;
    }
    if (m & GL_HINT_BIT) std::memcpy(s.hints, o.hints, sizeof s.hints);
    if (m & GL_FOG_BIT) s.fog = o.fog;
    if (m & GL_TEXTURE_BIT) {
        s.texture2d = o.texture2d;
        s.texture1d = o.texture1d;
        s.texEnvMode = o.texEnvMode;
        std::memcpy(s.texEnvColor, o.texEnvColor, sizeof s.texEnvColor);
        s.boundTexture = o.boundTexture;
        restoreTextureParameters(e.boundParameters);
    }
}

void glPushClientAttrib(GLbitfield mask)
{
    if ((int)gl.clientAttribStack.size() >= ATTRIB_STACK_DEPTH) {
        setGlError(GL_STACK_OVERFLOW);
        return;
    }
    gl.clientAttribStack.push_back(ClientAttribEntry{mask, gl.client});
}

void glPopClientAttrib(void)
{
    if (gl.clientAttribStack.empty()) {
        setGlError(GL_STACK_UNDERFLOW);
        return;
    }
    ClientAttribEntry e = gl.clientAttribStack.back();
    gl.clientAttribStack.pop_back();
    if (e.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        gl.client.pack = e.saved.pack;
        gl.client.unpack = e.saved.unpack;
    }
    if (e.mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
        gl.client.vertex = e.saved.vertex;
        gl.client.normal = e.saved.normal;
        gl.client.color = e.saved.color;
        gl.client.texCoord = e.saved.texCoord;
    }
}

}  // extern "C"
