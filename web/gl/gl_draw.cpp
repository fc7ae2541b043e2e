// Where GL primitives reach WebGL: uniforms from the fixed-function state (sent only when they
// change), WebGL's own state kept equal to GL's, vertices streamed or taken from a buffer.
// Depends on: gl_draw.h, gl_state.h, gl_shaders.h, WebGL 1 (emscripten_gl*).
#include "web/gl/gl_draw.h"

#include "web/gl/gl_shaders.h"

#include <webgl/webgl1.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

const int FLOATS_PER_VERTEX = (int)(sizeof(GeometryVertex) / sizeof(float));
const int POSITION_OFFSET = (int)offsetof(GeometryVertex, position);
const int NORMAL_OFFSET = (int)offsetof(GeometryVertex, normal);
const int COLOR_OFFSET = (int)offsetof(GeometryVertex, color);
const int TEXCOORD_OFFSET = (int)offsetof(GeometryVertex, texCoord);
const int SHADER_LOG_SIZE = 2048;
const int CONSTANTS_TEXT_SIZE = 256;
const int ALPHA_ALWAYS = (int)(GL_ALWAYS - GL_NEVER);
const float NO_SPOT = -2.0f;
const float STRAIGHT_ANGLE = 180.0f;
const double DEGREES_TO_RADIANS = 3.14159265358979323846 / 180.0;
// How far a smoothed line reaches past its ends, in pixels.
const float SMOOTH_LINE_END = 0.5f;
// Window-space rectangles drawn for smoothed lines move by this, off the pixel centres.
const float PIXEL_NUDGE = 0.1f;

GLuint streamBuffer = 0;
GLuint streamIndexBuffer = 0;

// A uniform's location and the values last sent to it.
struct Uniform {
    GLint location = -1;
    std::vector<float> sent;
};

struct Uniforms {
    Uniform mvp, modelView, textureMatrix, normalMatrix;
    Uniform normalize, localViewer;
    Uniform materialAmbient, materialDiffuse, materialSpecular, materialEmission, materialShininess;
    Uniform sceneAmbient;
    Uniform lightAmbient, lightDiffuse, lightSpecular, lightPosition, lightAttenuation, lightSpot,
        lightSpotCutoff;
    Uniform texture, texEnvColor, alphaRef;
};

// One program of the fixed function: the constants it was compiled with and its uniforms.
struct Variant {
    GLuint program = 0;
    Uniforms uniforms;
};
std::map<int, Variant> variants;
Uniforms* u = nullptr;  // the program in use
int variantInUse = -1;

enum class UniformKind { Float, Vec4, Int, Matrix3, Matrix4 };

// Sends values when they differ from what the uniform holds.
void send(Uniform& uniform, UniformKind kind, const float* values, int count)
{
    if (uniform.location < 0) return;
    if ((int)uniform.sent.size() == count &&
        std::memcmp(uniform.sent.data(), values, sizeof(float) * count) == 0)
        return;
    uniform.sent.assign(values, values + count);
    switch (kind) {
    case UniformKind::Matrix4:
        emscripten_glUniformMatrix4fv(uniform.location, 1, GL_FALSE, values);
        break;
    case UniformKind::Matrix3:
        emscripten_glUniformMatrix3fv(uniform.location, 1, GL_FALSE, values);
        break;
    case UniformKind::Int:
        emscripten_glUniform1i(uniform.location, (GLint)values[0]);
        break;
    case UniformKind::Vec4:
        emscripten_glUniform4fv(uniform.location, count / 4, values);
        break;
    case UniformKind::Float:
        emscripten_glUniform1fv(uniform.location, count, values);
        break;
    }
}

void sendFloat(Uniform& uniform, float value) { send(uniform, UniformKind::Float, &value, 1); }
void sendInt(Uniform& uniform, int value)
{
    float v = (float)value;
    send(uniform, UniformKind::Int, &v, 1);
}
void sendVec4(Uniform& uniform, const float* v) { send(uniform, UniformKind::Vec4, v, 4); }

GLuint compileShader(GLenum type, const char* source)
{
    GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint ok = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[SHADER_LOG_SIZE] = {};
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "kerbrunner: the GL emulation's shader did not compile: %s\n", log);
    }
    return shader;
}

void findUniforms(GLuint program, Uniforms& found)
{
    Uniforms* u = &found;
    auto at = [program](const char* name) { return emscripten_glGetUniformLocation(program, name); };
    u->mvp.location = at("uMvp");
    u->modelView.location = at("uModelView");
    u->textureMatrix.location = at("uTextureMatrix");
    u->normalMatrix.location = at("uNormalMatrix");
    u->normalize.location = at("uNormalize");
    u->localViewer.location = at("uLocalViewer");
    u->materialAmbient.location = at("uMaterialAmbient");
    u->materialDiffuse.location = at("uMaterialDiffuse");
    u->materialSpecular.location = at("uMaterialSpecular");
    u->materialEmission.location = at("uMaterialEmission");
    u->materialShininess.location = at("uMaterialShininess");
    u->sceneAmbient.location = at("uSceneAmbient");
    u->lightAmbient.location = at("uLightAmbient");
    u->lightDiffuse.location = at("uLightDiffuse");
    u->lightSpecular.location = at("uLightSpecular");
    u->lightPosition.location = at("uLightPosition");
    u->lightAttenuation.location = at("uLightAttenuation");
    u->lightSpot.location = at("uLightSpot");
    u->lightSpotCutoff.location = at("uLightSpotCutoff");
    u->texture.location = at("uTexture");
    u->texEnvColor.location = at("uTexEnvColor");
    u->alphaRef.location = at("uAlphaRef");
}

}  // namespace

void normalMatrixOf(const Matrix4& matrix, float out[9])
{
    const float* m = matrix.m;
    float a = m[0], b = m[4], c = m[8];
    float d = m[1], e = m[5], f = m[9];
    float g = m[2], h = m[6], i = m[10];
    float co0 = e * i - f * h, co1 = f * g - d * i, co2 = d * h - e * g;
    float det = a * co0 + b * co1 + c * co2;
    float inv = det != 0 ? 1.0f / det : 0.0f;
    // The transpose of the inverse is the cofactor matrix over the determinant.
    out[0] = co0 * inv;
    out[1] = (c * h - b * i) * inv;
    out[2] = (b * f - c * e) * inv;
    out[3] = co1 * inv;
    out[4] = (a * i - c * g) * inv;
    out[5] = (c * d - a * f) * inv;
    out[6] = co2 * inv;
    out[7] = (b * g - a * h) * inv;
    out[8] = (a * e - b * d) * inv;
}

namespace {

int colorMaterialCode(GLenum mode)
{
    switch (mode) {
    case GL_AMBIENT: return COLOR_MATERIAL_AMBIENT;
    case GL_DIFFUSE: return COLOR_MATERIAL_DIFFUSE;
    case GL_SPECULAR: return COLOR_MATERIAL_SPECULAR;
    case GL_EMISSION: return COLOR_MATERIAL_EMISSION;
    default: return COLOR_MATERIAL_AMBIENT_AND_DIFFUSE;
    }
}

int texEnvCode(GLenum mode)
{
    switch (mode) {
    case GL_REPLACE: return TEX_ENV_REPLACE;
    case GL_DECAL: return TEX_ENV_DECAL;
    case GL_BLEND: return TEX_ENV_BLEND;
    case GL_ADD: return TEX_ENV_ADD;
    default: return TEX_ENV_MODULATE;
    }
}

void sendLighting()
{
    const ServerState& s = gl.s;
    float ambient[4 * GL_LIGHT_COUNT], diffuse[4 * GL_LIGHT_COUNT], specular[4 * GL_LIGHT_COUNT];
    float position[4 * GL_LIGHT_COUNT], attenuation[4 * GL_LIGHT_COUNT], spot[4 * GL_LIGHT_COUNT];
    float cutoff[GL_LIGHT_COUNT];
    for (int i = 0; i < GL_LIGHT_COUNT; ++i) {
        const LightState& l = s.lights[i];
        std::memcpy(ambient + 4 * i, l.ambient, sizeof l.ambient);
        std::memcpy(diffuse + 4 * i, l.diffuse, sizeof l.diffuse);
        std::memcpy(specular + 4 * i, l.specular, sizeof l.specular);
        std::memcpy(position + 4 * i, l.position, sizeof l.position);
        std::memcpy(attenuation + 4 * i, l.attenuation, sizeof l.attenuation);
        attenuation[4 * i + 3] = l.enabled ? 1.0f : 0.0f;
        float len = std::sqrt(l.spotDirection[0] * l.spotDirection[0] +
                              l.spotDirection[1] * l.spotDirection[1] +
                              l.spotDirection[2] * l.spotDirection[2]);
        for (int k = 0; k < 3; ++k) spot[4 * i + k] = len > 0 ? l.spotDirection[k] / len : 0.0f;
        spot[4 * i + 3] = l.spotExponent;
        cutoff[i] = l.spotCutoff == STRAIGHT_ANGLE ? NO_SPOT
                                                   : (float)std::cos(l.spotCutoff * DEGREES_TO_RADIANS);
    }
    send(u->lightAmbient, UniformKind::Vec4, ambient, 4 * GL_LIGHT_COUNT);
    send(u->lightDiffuse, UniformKind::Vec4, diffuse, 4 * GL_LIGHT_COUNT);
    send(u->lightSpecular, UniformKind::Vec4, specular, 4 * GL_LIGHT_COUNT);
    send(u->lightPosition, UniformKind::Vec4, position, 4 * GL_LIGHT_COUNT);
    send(u->lightAttenuation, UniformKind::Vec4, attenuation, 4 * GL_LIGHT_COUNT);
    send(u->lightSpot, UniformKind::Vec4, spot, 4 * GL_LIGHT_COUNT);
    send(u->lightSpotCutoff, UniformKind::Float, cutoff, GL_LIGHT_COUNT);
    // Front material: without two-sided lighting back faces are lit with it as well.
    const MaterialState& m = s.material[0];
    sendVec4(u->materialAmbient, m.ambient);
    sendVec4(u->materialDiffuse, m.diffuse);
    sendVec4(u->materialSpecular, m.specular);
    sendVec4(u->materialEmission, m.emission);
    sendFloat(u->materialShininess, m.shininess);
    sendVec4(u->sceneAmbient, s.lightModelAmbient);
    sendInt(u->localViewer, s.localViewer);
    sendInt(u->normalize, s.normalize || s.rescaleNormal);
}

// What the texture environment and the alpha test read besides the program's constants.
void sendTexturing()
{
    const ServerState& s = gl.s;
    if (s.texture2d && boundTextureComplete()) sendVec4(u->texEnvColor, s.texEnvColor);
    sendFloat(u->alphaRef, s.alphaRef);
}

// Window pixels to clip coordinates for the current viewport; z from 0..1 to -1..1.
Matrix4 windowToClip()
{
    Matrix4 m = identityMatrix();
    const int* v = gl.s.viewport;
    float w = v[2] > 0 ? (float)v[2] : 1.0f, h = v[3] > 0 ? (float)v[3] : 1.0f;
    m.m[0] = 2.0f / w;
    m.m[5] = 2.0f / h;
    m.m[10] = 2.0f;
    m.m[12] = -1.0f - 2.0f * v[0] / w;
    m.m[13] = -1.0f - 2.0f * v[1] / h;
    m.m[14] = -1.0f;
    return m;
}

void sendUniforms(const Matrix4* toClip)
{
    if (toClip) {
        const Matrix4& mvp = *toClip;
        Matrix4 id = identityMatrix();
        send(u->mvp, UniformKind::Matrix4, mvp.m, 16);
        send(u->textureMatrix, UniformKind::Matrix4, id.m, 16);
    } else {
        Matrix4 mvp = multiplyMatrices(gl.projection.top(), gl.modelview.top());
        send(u->mvp, UniformKind::Matrix4, mvp.m, 16);
        send(u->textureMatrix, UniformKind::Matrix4, gl.texture.top().m, 16);
        if (gl.s.lighting) {
            send(u->modelView, UniformKind::Matrix4, gl.modelview.top().m, 16);
            float normal[9];
            normalMatrixOf(gl.modelview.top(), normal);
            send(u->normalMatrix, UniformKind::Matrix3, normal, 9);
            sendLighting();
        }
    }
    sendTexturing();
}

// WebGL's state as last set by us.
struct WebGlCache {
    bool valid = false;
    bool blend, cull, depth, scissor;
    GLenum blendSrc, blendDst, depthFunc, cullMode, frontFace;
    bool depthMask;
    bool colorMask[4];
    int viewport[4], scissorBox[4];
    float clearColor[4];
    double clearDepth;
    float lineWidth;
    GLuint texture;
    int enabledArrays;  // bit per attribute location
} cache;

void setCapability(GLenum cap, bool on, bool& cached)
{
    if (cache.valid && cached == on) return;
    cached = on;
    if (on) emscripten_glEnable(cap);
    else emscripten_glDisable(cap);
}

void bindTextureForDraw()
{
    GLuint name = 0;
    if (gl.s.texture2d && boundTextureComplete()) name = textureObject(gl.s.boundTexture).webglName;
    bindWebGlTexture(name);
}

// Attribute arrays the draw reads; the others take constant values.
void enableArrays(int carries)
{
    int wanted = 1 << ATTRIBUTE_POSITION;
    if (carries & CARRIES_NORMAL) wanted |= 1 << ATTRIBUTE_NORMAL;
    if (carries & CARRIES_COLOR) wanted |= 1 << ATTRIBUTE_COLOR;
    if (carries & CARRIES_TEXCOORD) wanted |= 1 << ATTRIBUTE_TEXCOORD;
    for (int a = 0; a < 4; ++a) {
        bool on = wanted & (1 << a);
        if (cache.valid && ((cache.enabledArrays >> a) & 1) == (int)on) continue;
        if (on) emscripten_glEnableVertexAttribArray(a);
        else emscripten_glDisableVertexAttribArray(a);
    }
    cache.enabledArrays = wanted;
    const VertexAttributes& c = gl.s.current;
    if (!(carries & CARRIES_NORMAL))
        emscripten_glVertexAttrib3f(ATTRIBUTE_NORMAL, c.normal[0], c.normal[1], c.normal[2]);
    if (!(carries & CARRIES_COLOR))
        emscripten_glVertexAttrib4f(ATTRIBUTE_COLOR, c.color[0], c.color[1], c.color[2], c.color[3]);
    if (!(carries & CARRIES_TEXCOORD))
        emscripten_glVertexAttrib2f(ATTRIBUTE_TEXCOORD, c.texCoord[0], c.texCoord[1]);
}

void pointArrays(const void* base)
{
    const char* b = (const char*)base;
    GLsizei stride = (GLsizei)sizeof(GeometryVertex);
    emscripten_glVertexAttribPointer(ATTRIBUTE_POSITION, 4, GL_FLOAT, GL_FALSE, stride, b + POSITION_OFFSET);
    emscripten_glVertexAttribPointer(ATTRIBUTE_NORMAL, 3, GL_FLOAT, GL_FALSE, stride, b + NORMAL_OFFSET);
    emscripten_glVertexAttribPointer(ATTRIBUTE_COLOR, 4, GL_FLOAT, GL_FALSE, stride, b + COLOR_OFFSET);
    emscripten_glVertexAttribPointer(ATTRIBUTE_TEXCOORD, 2, GL_FLOAT, GL_FALSE, stride, b + TEXCOORD_OFFSET);
}

GLenum webGlMode(PrimitiveKind kind)
{
    switch (kind) {
    case PrimitiveKind::Points: return GL_POINTS;
    case PrimitiveKind::Lines: return GL_LINES;
    default: return GL_TRIANGLES;
    }
}

// Window coordinates of a vertex (x, y in pixels, z in 0..1); false when it lies behind the eye.
bool windowPosition(const Matrix4& mvp, const float* p, float out[3])
{
    const float* m = mvp.m;
    float clip[4];
    for (int i = 0; i < 4; ++i) clip[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i] * p[3];
    if (clip[3] <= 0) return false;
    const int* v = gl.s.viewport;
    float halfWidth = v[2] * 0.5f, halfHeight = v[3] * 0.5f;
    out[0] = clip[0] / clip[3] * halfWidth + (halfWidth + v[0]);
    out[1] = clip[1] / clip[3] * halfHeight + (halfHeight + v[1]);
    out[2] = clip[2] / clip[3] * 0.5f + 0.5f;
    return true;
}

// Smoothed lines as Mesa's software rasteriser draws them: a rectangle one pixel wider than
// the line and half a pixel longer at each end, every pixel whose centre it holds drawn whole
// (coverage only reaches alpha). Built in window space, nudged off pixel centres so that
// either rasteriser's edge rule picks the same pixels. False when a line crosses the eye plane.
bool drawSmoothLines(const GeometryVertex* vertices, int count)
{
    Matrix4 mvp = multiplyMatrices(gl.projection.top(), gl.modelview.top());
    std::vector<GeometryVertex> quads;
    quads.reserve((size_t)count * 3);
    const float halfWidth = (gl.s.lineWidth + 1.0f) * 0.5f;
    for (int i = 0; i + 1 < count; i += 2) {
        float a[3], b[3];
        if (!windowPosition(mvp, vertices[i].position, a) || !windowPosition(mvp, vertices[i + 1].position, b))
            return false;
        float dx = b[0] - a[0], dy = b[1] - a[1];
        float length = std::sqrt(dx * dx + dy * dy);
        if (length == 0) continue;
        float ux = dx / length * SMOOTH_LINE_END, uy = dy / length * SMOOTH_LINE_END;
        float px = -dy / length * halfWidth, py = dx / length * halfWidth;
        GeometryVertex corner[4] = {vertices[i], vertices[i + 1], vertices[i + 1], vertices[i]};
        const float* ends[4] = {a, b, b, a};
        const float along[4] = {-1, 1, 1, -1}, across[4] = {1, 1, -1, -1};
        for (int k = 0; k < 4; ++k) {
            corner[k].position[0] = ends[k][0] + along[k] * ux + across[k] * px - PIXEL_NUDGE;
            corner[k].position[1] = ends[k][1] + along[k] * uy + across[k] * py - PIXEL_NUDGE;
            corner[k].position[2] = ends[k][2];
            corner[k].position[3] = 1;
        }
        const int order[6] = {0, 1, 2, 0, 2, 3};
        for (int k : order) quads.push_back(corner[k]);
    }
    drawWindowVertices(quads.data(), (int)quads.size());
    return true;
}

// The constants a program is compiled with.
struct VariantChoice {
    bool lighting = false;
    int colorMaterial = COLOR_MATERIAL_NONE;
    bool texturing = false;
    int texEnv = TEX_ENV_MODULATE;
    bool texHasColor = true, texHasAlpha = false;
    int alphaFunc = ALPHA_ALWAYS;

    int key() const
    {
        return (int)lighting | colorMaterial << 1 | (int)texturing << 4 | texEnv << 5 |
               (int)texHasColor << 8 | (int)texHasAlpha << 9 | alphaFunc << 10;
    }
};

VariantChoice choiceForDraw(bool transformed)
{
    const ServerState& s = gl.s;
    VariantChoice c;
    c.lighting = s.lighting && !transformed;
    if (c.lighting && s.colorMaterial) c.colorMaterial = colorMaterialCode(s.colorMaterialMode);
    c.texturing = s.texture2d && boundTextureComplete();
    if (c.texturing) {
        const TextureObject& t = textureObject(s.boundTexture);
        c.texEnv = texEnvCode(s.texEnvMode);
        c.texHasColor = t.baseFormat != GL_ALPHA;
        c.texHasAlpha = t.baseFormat == GL_RGBA || t.baseFormat == GL_ALPHA ||
                        t.baseFormat == GL_LUMINANCE_ALPHA;
    }
    c.alphaFunc = s.alphaTest ? (int)(s.alphaFunc - GL_NEVER) : ALPHA_ALWAYS;
    return c;
}

std::string constantsText(const VariantChoice& c, bool vertex)
{
    char text[CONSTANTS_TEXT_SIZE];
    if (vertex)
        std::snprintf(text, sizeof text, "const bool uLighting = %s;\nconst int uColorMaterial = %d;\n",
                      c.lighting ? "true" : "false", c.colorMaterial);
    else
        std::snprintf(text, sizeof text,
                      "const bool uTexturing = %s;\nconst int uTexEnv = %d;\n"
                      "const bool uTexHasColor = %s;\nconst bool uTexHasAlpha = %s;\n"
                      "const int uAlphaFunc = %d;\n",
                      c.texturing ? "true" : "false", c.texEnv, c.texHasColor ? "true" : "false",
                      c.texHasAlpha ? "true" : "false", c.alphaFunc);
    return text;
}

Variant makeVariant(const VariantChoice& c)
{
    std::string vertex = constantsText(c, true) + VERTEX_SHADER_SOURCE;
    std::string fragment = constantsText(c, false) + FRAGMENT_SHADER_SOURCE;
    GLuint vs = compileShader(GL_VERTEX_SHADER, vertex.c_str());
    GLuint fs = compileShader(GL_FRAGMENT_SHADER, fragment.c_str());
    Variant v;
    v.program = emscripten_glCreateProgram();
    emscripten_glAttachShader(v.program, vs);
    emscripten_glAttachShader(v.program, fs);
    emscripten_glBindAttribLocation(v.program, ATTRIBUTE_POSITION, "aPosition");
    emscripten_glBindAttribLocation(v.program, ATTRIBUTE_NORMAL, "aNormal");
    emscripten_glBindAttribLocation(v.program, ATTRIBUTE_COLOR, "aColor");
    emscripten_glBindAttribLocation(v.program, ATTRIBUTE_TEXCOORD, "aTexCoord");
    emscripten_glLinkProgram(v.program);
    emscripten_glDeleteShader(vs);
    emscripten_glDeleteShader(fs);
    GLint ok = 0;
    emscripten_glGetProgramiv(v.program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[SHADER_LOG_SIZE] = {};
        emscripten_glGetProgramInfoLog(v.program, sizeof log, nullptr, log);
        std::fprintf(stderr, "kerbrunner: the GL emulation's program did not link: %s\n", log);
    }
    emscripten_glUseProgram(v.program);
    v.uniforms = Uniforms();
    return v;
}

void useVariant(const VariantChoice& c)
{
    int key = c.key();
    if (key == variantInUse) return;
    auto found = variants.find(key);
    if (found == variants.end()) {
        found = variants.emplace(key, makeVariant(c)).first;
        findUniforms(found->second.program, found->second.uniforms);
        emscripten_glUniform1i(found->second.uniforms.texture.location, 0);
    } else {
        emscripten_glUseProgram(found->second.program);
    }
    u = &found->second.uniforms;
    variantInUse = key;
}

// toClip: for vertices already past the model-view and lighting, the matrix taking them to
// clip coordinates; null for ordinary vertices.
void prepareDraw(int carries, const Matrix4* toClip)
{
    applyFramebufferState();
    bindTextureForDraw();
    useVariant(choiceForDraw(toClip != nullptr));
    sendUniforms(toClip);
    enableArrays(carries);
}

void drawTransformed(const GeometryVertex* vertices, int count, const Matrix4& toClip)
{
    if (count <= 0 || !gl.ready) return;
    prepareDraw(CARRIES_ALL, &toClip);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)count * sizeof(GeometryVertex), vertices,
                            GL_STREAM_DRAW);
    pointArrays(nullptr);
    emscripten_glDrawArrays(GL_TRIANGLES, 0, count);
}

}  // namespace

void bindWebGlTexture(unsigned int webglName)
{
    if (cache.valid && cache.texture == webglName) return;
    cache.texture = webglName;
    emscripten_glBindTexture(GL_TEXTURE_2D, webglName);
}

void applyFramebufferState()
{
    const ServerState& s = gl.s;
    setCapability(GL_BLEND, s.blend, cache.blend);
    setCapability(GL_CULL_FACE, s.cullFace, cache.cull);
    setCapability(GL_DEPTH_TEST, s.depthTest, cache.depth);
    setCapability(GL_SCISSOR_TEST, s.scissorTest, cache.scissor);
    if (!cache.valid || cache.blendSrc != s.blendSrc || cache.blendDst != s.blendDst) {
        cache.blendSrc = s.blendSrc;
        cache.blendDst = s.blendDst;
        emscripten_glBlendFunc(s.blendSrc, s.blendDst);
    }
    if (!cache.valid || cache.depthFunc != s.depthFunc) {
        cache.depthFunc = s.depthFunc;
        emscripten_glDepthFunc(s.depthFunc);
    }
    if (!cache.valid || cache.depthMask != s.depthMask) {
        cache.depthMask = s.depthMask;
        emscripten_glDepthMask(s.depthMask);
    }
    if (!cache.valid || std::memcmp(cache.colorMask, s.colorMask, sizeof cache.colorMask) != 0) {
        std::memcpy(cache.colorMask, s.colorMask, sizeof cache.colorMask);
        emscripten_glColorMask(s.colorMask[0], s.colorMask[1], s.colorMask[2], s.colorMask[3]);
    }
    GLenum cullMode = s.cullFaceMode;
    if (!cache.valid || cache.cullMode != cullMode) {
        cache.cullMode = cullMode;
        emscripten_glCullFace(cullMode);
    }
    if (!cache.valid || cache.frontFace != s.frontFace) {
        cache.frontFace = s.frontFace;
        emscripten_glFrontFace(s.frontFace);
    }
    if (!cache.valid || std::memcmp(cache.viewport, s.viewport, sizeof cache.viewport) != 0) {
        std::memcpy(cache.viewport, s.viewport, sizeof cache.viewport);
        emscripten_glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
    }
    if (!cache.valid || std::memcmp(cache.scissorBox, s.scissor, sizeof cache.scissorBox) != 0) {
        std::memcpy(cache.scissorBox, s.scissor, sizeof cache.scissorBox);
        emscripten_glScissor(s.scissor[0], s.scissor[1], s.scissor[2], s.scissor[3]);
    }
    if (!cache.valid || std::memcmp(cache.clearColor, s.clearColor, sizeof cache.clearColor) != 0) {
        std::memcpy(cache.clearColor, s.clearColor, sizeof cache.clearColor);
        emscripten_glClearColor(s.clearColor[0], s.clearColor[1], s.clearColor[2], s.clearColor[3]);
    }
    if (!cache.valid || cache.clearDepth != s.clearDepth) {
        cache.clearDepth = s.clearDepth;
        emscripten_glClearDepthf((float)s.clearDepth);
    }
    if (!cache.valid || cache.lineWidth != s.lineWidth) {
        cache.lineWidth = s.lineWidth;
        emscripten_glLineWidth(s.lineWidth);
    }
    if (!cache.valid) {
        cache.texture = 0;
        emscripten_glBindTexture(GL_TEXTURE_2D, 0);
        cache.enabledArrays = 0;
        for (int a = 0; a < 4; ++a) emscripten_glDisableVertexAttribArray(a);
    }
    cache.valid = true;
}

void initDrawing()
{
    for (auto& entry : variants) emscripten_glDeleteProgram(entry.second.program);
    variants.clear();
    u = nullptr;
    variantInUse = -1;
    emscripten_glGenBuffers(1, &streamBuffer);
    emscripten_glGenBuffers(1, &streamIndexBuffer);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    invalidateDrawingCache();
}

void invalidateDrawingCache()
{
    cache.valid = false;
    for (auto& entry : variants) {
        Uniforms& v = entry.second.uniforms;
        Uniform* all[] = {&v.mvp, &v.modelView, &v.textureMatrix, &v.normalMatrix,
                          &v.normalize, &v.localViewer, &v.materialAmbient, &v.materialDiffuse,
                          &v.materialSpecular, &v.materialEmission, &v.materialShininess,
                          &v.sceneAmbient, &v.lightAmbient, &v.lightDiffuse, &v.lightSpecular,
                          &v.lightPosition, &v.lightAttenuation, &v.lightSpot, &v.lightSpotCutoff,
                          &v.texEnvColor, &v.alphaRef};
        for (Uniform* uniform : all) uniform->sent.clear();
    }
}

void drawVertices(PrimitiveKind kind, const GeometryVertex* vertices, int count, int carries)
{
    if (count <= 0 || !gl.ready) return;
    if (kind == PrimitiveKind::Lines && gl.s.lineSmooth && !gl.s.lighting &&
        drawSmoothLines(vertices, count))
        return;
    prepareDraw(carries, nullptr);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)count * sizeof(GeometryVertex), vertices,
                            GL_STREAM_DRAW);
    pointArrays(nullptr);
    emscripten_glDrawArrays(webGlMode(kind), 0, count);
}

void drawIndexedVertices(PrimitiveKind kind, const GeometryVertex* vertices, int vertexCount,
                         const uint16_t* indices, int indexCount, int carries)
{
    if (indexCount <= 0 || vertexCount <= 0 || !gl.ready) return;
    prepareDraw(carries, nullptr);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)vertexCount * sizeof(GeometryVertex),
                            vertices, GL_STREAM_DRAW);
    pointArrays(nullptr);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, streamIndexBuffer);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)indexCount * sizeof(uint16_t),
                            indices, GL_STREAM_DRAW);
    emscripten_glDrawElements(webGlMode(kind), indexCount, GL_UNSIGNED_SHORT, nullptr);
}

void drawBufferRange(unsigned int buffer, PrimitiveKind kind, int first, int count, int carries)
{
    if (count <= 0 || !gl.ready) return;
    prepareDraw(carries, nullptr);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    pointArrays(nullptr);
    emscripten_glDrawArrays(webGlMode(kind), first, count);
}

void drawWindowVertices(const GeometryVertex* vertices, int count)
{
    drawTransformed(vertices, count, windowToClip());
}

void drawClipVertices(const GeometryVertex* vertices, int count)
{
    drawTransformed(vertices, count, identityMatrix());
}

unsigned int createStaticBuffer(const GeometryVertex* vertices, int count)
{
    GLuint buffer = 0;
    if (!gl.ready || count <= 0) return 0;
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)count * sizeof(GeometryVertex), vertices,
                            GL_STATIC_DRAW);
    return buffer;
}

void deleteStaticBuffer(unsigned int buffer)
{
    if (buffer && gl.ready) emscripten_glDeleteBuffers(1, &buffer);
}

static_assert(sizeof(GeometryVertex) == FLOATS_PER_VERTEX * sizeof(float), "packed vertices");
