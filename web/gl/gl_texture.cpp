// Texture objects: names, bindings, parameters, the environment mode, and the levels' pixels
// converted from what GL takes (any row alignment, BGR, luminance...) to what WebGL 1 takes
// (tight rows in the texture's own format).
// Depends on: gl_state.h, gl_draw.h, gl_lists.h, WebGL 1.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_lists.h"
#include "web/gl/gl_state.h"

#include <webgl/webgl1.h>

#include <cstring>
#include <memory>

namespace {

const int RGBA_COMPONENTS = 4;
const int RGB_COMPONENTS = 3;
const GLint LEGACY_ONE_COMPONENT = 1;
const GLint LEGACY_TWO_COMPONENTS = 2;
const GLint LEGACY_THREE_COMPONENTS = 3;
const GLint LEGACY_FOUR_COMPONENTS = 4;
// The GL 1.1 internal format tokens beyond the base ones, by their base.
const GLint RGB_SIZED_FIRST = 0x804F, RGB_SIZED_LAST = 0x8054;    // GL_RGB4 .. GL_RGB16
const GLint RGBA_SIZED_FIRST = 0x8055, RGBA_SIZED_LAST = 0x805B;  // GL_RGBA2 .. GL_RGBA16

// The base format a texture of this internal format has, or 0.
GLenum baseFormatOf(GLint internalFormat)
{
    switch (internalFormat) {
    case LEGACY_ONE_COMPONENT:
    case GL_LUMINANCE: return GL_LUMINANCE;
    case LEGACY_TWO_COMPONENTS:
    case GL_LUMINANCE_ALPHA: return GL_LUMINANCE_ALPHA;
    case LEGACY_THREE_COMPONENTS:
    case GL_RGB:
    case GL_BGR: return GL_RGB;
    case LEGACY_FOUR_COMPONENTS:
    case GL_RGBA:
    case GL_BGRA: return GL_RGBA;
    case GL_ALPHA: return GL_ALPHA;
    case GL_INTENSITY: return GL_LUMINANCE_ALPHA;
    default: break;
    }
    if (internalFormat >= RGB_SIZED_FIRST && internalFormat <= RGB_SIZED_LAST) return GL_RGB;
    if (internalFormat >= RGBA_SIZED_FIRST && internalFormat <= RGBA_SIZED_LAST) return GL_RGBA;
    return 0;
}

// One source pixel as RGBA.
void toRgba(const uint8_t* p, GLenum format, uint8_t out[4])
{
    switch (format) {
    case GL_LUMINANCE: out[0] = out[1] = out[2] = p[0]; out[3] = 255; break;
    case GL_ALPHA: out[0] = out[1] = out[2] = 0; out[3] = p[0]; break;
    case GL_LUMINANCE_ALPHA: out[0] = out[1] = out[2] = p[0]; out[3] = p[1]; break;
    case GL_RGB: out[0] = p[0]; out[1] = p[1]; out[2] = p[2]; out[3] = 255; break;
    case GL_BGR: out[0] = p[2]; out[1] = p[1]; out[2] = p[0]; out[3] = 255; break;
    case GL_BGRA: out[0] = p[2]; out[1] = p[1]; out[2] = p[0]; out[3] = p[3]; break;
    default: out[0] = p[0]; out[1] = p[1]; out[2] = p[2]; out[3] = p[3]; break;
    }
}

// An RGBA pixel in the texture's base format.
int fromRgba(const uint8_t rgba[4], GLenum base, uint8_t* out)
{
    switch (base) {
    case GL_LUMINANCE: out[0] = rgba[0]; return 1;
    case GL_ALPHA: out[0] = rgba[3]; return 1;
    case GL_LUMINANCE_ALPHA: out[0] = rgba[0]; out[1] = rgba[3]; return 2;
    case GL_RGB: std::memcpy(out, rgba, RGB_COMPONENTS); return RGB_COMPONENTS;
    default: std::memcpy(out, rgba, RGBA_COMPONENTS); return RGBA_COMPONENTS;
    }
}

// The pixels of a GL upload as tight rows in the base format WebGL is given.
std::unique_ptr<uint8_t[]> unpackPixels(int width, int height, GLenum format, GLenum base,
                                        const void* pixels)
{
    const PixelStore& u = gl.client.unpack;
    int components = componentsOf(format);
    size_t rowPixels = u.rowLength > 0 ? (size_t)u.rowLength : (size_t)width;
    size_t rowBytes = rowPixels * components;
    size_t align = u.alignment > 0 ? (size_t)u.alignment : 1;
    rowBytes = (rowBytes + align - 1) / align * align;
    const uint8_t* src = (const uint8_t*)pixels + (size_t)u.skipRows * rowBytes +
                         (size_t)u.skipPixels * components;
    int outComponents = componentsOf(base);
    std::unique_ptr<uint8_t[]> out(new uint8_t[(size_t)width * height * outComponents]);
    uint8_t* dst = out.get();
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = src + (size_t)y * rowBytes;
        for (int x = 0; x < width; ++x) {
            uint8_t rgba[4];
            toRgba(row + (size_t)x * components, format, rgba);
            dst += fromRgba(rgba, base, dst);
        }
    }
    return out;
}

// Whether the unpack state reads rows of this width as they follow one another without gaps,
// as WebGL (whose alignment we keep at 1) reads them.
bool tightRows(int width, int components)
{
    const PixelStore& u = gl.client.unpack;
    return u.rowLength == 0 && u.skipRows == 0 && u.skipPixels == 0 &&
           ((size_t)width * components) % (size_t)(u.alignment > 0 ? u.alignment : 1) == 0;
}

GLenum webGlWrap(GLenum wrap) { return wrap == GL_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE; }

bool mipmapped(GLenum filter) { return filter != GL_NEAREST && filter != GL_LINEAR; }

void ensureWebGlTexture(TextureObject& t)
{
    if (t.webglName || !gl.ready) return;
    emscripten_glGenTextures(1, &t.webglName);
    bindWebGlTexture(t.webglName);
    applyTextureParameters(t);
}

bool validTarget(GLenum target)
{
    if (target == GL_TEXTURE_2D) return true;
    setGlError(GL_INVALID_ENUM);
    return false;
}

void uploadLevel(GLint level, GLint internalFormat, int width, int height, GLenum format,
                 const void* pixels)
{
    TextureObject& t = textureObject(gl.s.boundTexture);
    GLenum base = baseFormatOf(internalFormat);
    t.exists = true;
    t.baseFormat = base;
    t.internalFormat = internalFormat;
    t.width[level] = width;
    t.height[level] = height;
    t.levelDefined[level] = true;
    if (!gl.ready) return;
    ensureWebGlTexture(t);
    bindWebGlTexture(t.webglName);
    const void* data = pixels;
    std::unique_ptr<uint8_t[]> converted;
    if (pixels && !(format == base && tightRows(width, componentsOf(format)))) {
        converted = unpackPixels(width, height, format, base, pixels);
        data = converted.get();
    }
    emscripten_glTexImage2D(GL_TEXTURE_2D, level, base, width, height, 0, base, GL_UNSIGNED_BYTE,
                            data);
}

}  // namespace

int componentsOf(GLenum format)
{
    switch (format) {
    case GL_LUMINANCE:
    case GL_ALPHA: return 1;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_RGB:
    case GL_BGR: return RGB_COMPONENTS;
    case GL_RGBA:
    case GL_BGRA: return RGBA_COMPONENTS;
    default: return 0;
    }
}

TextureObject& textureObject(GLuint name)
{
    if (name >= gl.textures.size()) gl.textures.resize((size_t)name + 1);
    return gl.textures[name];
}

void applyTextureParameters(const TextureObject& t)
{
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, t.minFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, t.magFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, webGlWrap(t.wrapS));
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, webGlWrap(t.wrapT));
}

bool boundTextureComplete()
{
    const TextureObject& t = textureObject(gl.s.boundTexture);
    if (!t.levelDefined[0] || t.width[0] <= 0 || t.height[0] <= 0) return false;
    if (!mipmapped(t.minFilter)) return true;
    int w = t.width[0], h = t.height[0];
    for (int level = 1; w > 1 || h > 1; ++level) {
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
        if (level >= MAX_TEXTURE_LEVELS || !t.levelDefined[level] || t.width[level] != w ||
            t.height[level] != h)
            return false;
    }
    return true;
}

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures)
{
    if (n < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    GLuint name = 1;
    for (GLsizei i = 0; i < n; ++i) {
        while (name < gl.textures.size() && gl.textures[name].exists) ++name;
        TextureObject& t = textureObject(name);
        t = TextureObject();
        t.exists = true;
        ensureWebGlTexture(t);
        textures[i] = name;
        ++name;
    }
}

void glDeleteTextures(GLsizei n, const GLuint* textures)
{
    flushBitmaps();
    for (GLsizei i = 0; i < n; ++i) {
        GLuint name = textures[i];
        if (name == 0 || name >= gl.textures.size()) continue;
        TextureObject& t = gl.textures[name];
        if (t.webglName && gl.ready) {
            bindWebGlTexture(0);
            emscripten_glDeleteTextures(1, &t.webglName);
        }
        t = TextureObject();
        if (gl.s.boundTexture == name) gl.s.boundTexture = 0;
    }
}

GLboolean glIsTexture(GLuint texture)
{
    return texture != 0 && texture < gl.textures.size() && gl.textures[texture].exists ? GL_TRUE
                                                                                       : GL_FALSE;
}

void glBindTexture(GLenum target, GLuint texture)
{
    if (stateCallRecorded([=] { glBindTexture(target, texture); })) return;
    if (!validTarget(target)) return;
    TextureObject& t = textureObject(texture);
    if (texture != 0 && !t.exists) {
        t.exists = true;
        ensureWebGlTexture(t);
    }
    gl.s.boundTexture = texture;
}

void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (!validTarget(target)) return;
    if (level < 0 || level >= MAX_TEXTURE_LEVELS || width < 0 || height < 0 || border != 0 ||
        width > MAX_TEXTURE_SIDE || height > MAX_TEXTURE_SIDE) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    if (!baseFormatOf(internalformat) || !componentsOf(format) || type != GL_UNSIGNED_BYTE) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    if (!listCompiling()) {
        flushBitmaps();
        uploadLevel(level, internalformat, width, height, format, pixels);
        return;
    }
    // A list keeps the pixels as they are now, in its own copy with tight rows.
    GLenum tightFormat = format == GL_BGR ? GL_RGB : format == GL_BGRA ? GL_RGBA : format;
    std::shared_ptr<uint8_t> copy;
    if (pixels) copy.reset(unpackPixels(width, height, format, tightFormat, pixels).release(),
                           std::default_delete<uint8_t[]>());
    auto upload = [=] {
        PixelStore saved = gl.client.unpack;
        gl.client.unpack = PixelStore();
        gl.client.unpack.alignment = 1;
        uploadLevel(level, internalformat, width, height, tightFormat, copy.get());
        gl.client.unpack = saved;
    };
    if (stateCallRecorded(upload)) return;
    upload();
}

void glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                     GLsizei height, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (!validTarget(target)) return;
    // Runs at once, in a list being compiled too: the game never puts one in a list.
    flushBitmaps();
    TextureObject& t = textureObject(gl.s.boundTexture);
    if (level < 0 || level >= MAX_TEXTURE_LEVELS || !t.levelDefined[level] || xoffset < 0 ||
        yoffset < 0 || width < 0 || height < 0 || xoffset + width > t.width[level] ||
        yoffset + height > t.height[level]) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    if (!componentsOf(format) || type != GL_UNSIGNED_BYTE) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    if (!gl.ready || !pixels || width == 0 || height == 0) return;
    std::unique_ptr<uint8_t[]> converted = unpackPixels(width, height, format, t.baseFormat, pixels);
    ensureWebGlTexture(t);
    bindWebGlTexture(t.webglName);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, level, xoffset, yoffset, width, height, t.baseFormat,
                               GL_UNSIGNED_BYTE, converted.get());
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    if (stateCallRecorded([=] { glTexParameteri(target, pname, param); })) return;
    if (!validTarget(target)) return;
    TextureObject& t = textureObject(gl.s.boundTexture);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: t.minFilter = (GLenum)param; break;
    case GL_TEXTURE_MAG_FILTER: t.magFilter = (GLenum)param; break;
    case GL_TEXTURE_WRAP_S: t.wrapS = (GLenum)param; break;
    case GL_TEXTURE_WRAP_T: t.wrapT = (GLenum)param; break;
    default: setGlError(GL_INVALID_ENUM); return;
    }
    if (!gl.ready) return;
    ensureWebGlTexture(t);
    bindWebGlTexture(t.webglName);
    applyTextureParameters(t);
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param)
{
    glTexParameteri(target, pname, (GLint)param);
}

void glTexEnvi(GLenum target, GLenum pname, GLint param)
{
    if (stateCallRecorded([=] { glTexEnvi(target, pname, param); })) return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.texEnvMode = (GLenum)param;
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param) { glTexEnvi(target, pname, (GLint)param); }

}  // extern "C"
