// Scenes read from 3DS files, drawn with fixed-function GL, one run of triangles per
// material change.
// Depends on: scene3ds_draw.h, world/scene3ds.h, world/bmp_image.h, OpenGL/GLU.
#include "world/scene3ds_draw.h"

#include "app/terminal_text.h"
#include "platform/file_read.h"
#include "world/bmp_image.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

const char* const NOT_A_BMP = "%s: texture %s is not a BMP picture; drawn untextured";
const char* const NOT_FOUND = "%s: texture %s not found; drawn untextured";
const char* const REFUSED = "%s: texture %s: %s; drawn untextured";
const char* const OVER_BUDGET =
    "%s: texture %s: the scene's pictures would take more than %s bytes; drawn untextured";
// The decoded pixels of all of a scene's pictures together: five of the largest picture the
// game takes (4096 x 4096, 48 MiB each) fit, far beyond the few small ones a scene maps.
const size_t SCENE3DS_MAX_TEXTURE_BYTES = 256u << 20;
const size_t RGB_BYTES = 3;

// The pictures loaded so far, by the file read: each is read and uploaded once however
// many materials map it, and their pixels together stay within SCENE3DS_MAX_TEXTURE_BYTES.
struct PictureCache {
    std::map<std::string, GLuint> names;
    size_t bytes = 0;
};
const size_t PROBLEM_SIZE = 512;

std::string problemText(const char* format, const Scene3dsMaterial& m, const char* detail = "")
{
    char text[PROBLEM_SIZE];
    // Names come from the file: their control bytes must not reach the terminal.
    std::snprintf(text, sizeof text, format, terminalSafe(m.name).c_str(),
                  terminalSafe(m.textureFile).c_str(), detail);
    return text;
}

// A mipmapped, repeating texture of the picture; returns its GL name.
GLuint uploadPicture(const RgbImage& image)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    GLint savedAlignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, RGB_IMAGE_ROW_ALIGNMENT);
    gluBuild2DMipmaps(GL_TEXTURE_2D, RGB_IMAGE_COMPONENTS, image.width, image.height, GL_RGB,
                      GL_UNSIGNED_BYTE, image.pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

// The first candidate that reads as a picture; a missing file moves on to the next, a
// refused one ends the search with its message.
GLuint loadMaterialTexture(const Scene3dsMaterial& m, const std::vector<std::string>& dirs,
                           PictureCache& cache, std::vector<std::string>* problems)
{
    std::vector<std::string> candidates = textureFileCandidates(m.textureFile, dirs);
    if (candidates.empty()) {
        if (problems) problems->push_back(problemText(NOT_A_BMP, m));
        return 0;
    }
    for (const std::string& path : candidates) {
        auto known = cache.names.find(path);
        if (known != cache.names.end()) return known->second;
        std::vector<uint8_t> bytes;
        std::string message, reason;
        if (!readBmpFile(path.c_str(), &bytes, &message, &reason)) {
            if (reason == fileReadErrorText(FileReadError::Missing)) continue;
            // A directory, a FIFO or a file too large has the name: say which.
            if (problems) problems->push_back(problemText(REFUSED, m, reason.c_str()));
            return 0;
        }
        RgbImage image{};
        const char* error = decodeBmpImage(bytes.data(), bytes.size(), &image, nullptr);
        if (error) {
            if (problems) problems->push_back(problemText(REFUSED, m, error));
            return 0;
        }
        size_t size = (size_t)image.width * (size_t)image.height * RGB_BYTES;
        if (size > SCENE3DS_MAX_TEXTURE_BYTES - cache.bytes) {
            std::free(image.pixels);
            if (problems)
                problems->push_back(problemText(
                    OVER_BUDGET, m, std::to_string(SCENE3DS_MAX_TEXTURE_BYTES).c_str()));
            return 0;
        }
        GLuint name = uploadPicture(image);
        std::free(image.pixels);
        cache.bytes += size;
        cache.names[path] = name;
        return name;
    }
    if (problems) problems->push_back(problemText(NOT_FOUND, m));
    return 0;
}

// Colour components outside 0..1, or not numbers at all, are brought into it.
float colourComponent(float v) { return std::isfinite(v) ? (v < 0 ? 0 : v > 1 ? 1 : v) : 0; }

void setMaterial(const Scene3ds& scene, const Scene3dsTextures& textures, int material,
                 bool mapped)
{
    GLuint texture = 0;
    float r = SCENE3DS_DEFAULT_GREY, g = SCENE3DS_DEFAULT_GREY, b = SCENE3DS_DEFAULT_GREY;
    if (material >= 0) {
        const Scene3dsColour& d = scene.materials[(size_t)material].diffuse;
        if (d.present) r = colourComponent(d.r), g = colourComponent(d.g), b = colourComponent(d.b);
        if (mapped && (size_t)material < textures.names.size()) texture = textures.names[(size_t)material];
    }
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glColor3f(r, g, b);
}

void drawMesh(const Scene3ds& scene, const Scene3dsTextures& textures, const Scene3dsMesh& mesh)
{
    std::vector<int> materials = faceMaterialIndices(scene, mesh);
    bool mapped = !mesh.mapping.empty();
    int current = -2;  // no material set yet
    bool open = false;
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        if (materials[i] != current) {
            if (open) glEnd();
            current = materials[i];
            setMaterial(scene, textures, current, mapped);
            glBegin(GL_TRIANGLES);
            open = true;
        }
        const Scene3dsFace& f = mesh.faces[i];
        const uint16_t corners[3] = {f.a, f.b, f.c};
        const Vector3 &a = mesh.vertices[f.a], &b = mesh.vertices[f.b], &c = mesh.vertices[f.c];
        Vector3 n = cross(b - a, c - a);
        float len = length(n);
        if (len > 0 && std::isfinite(len)) glNormal3f(n.x / len, n.y / len, n.z / len);
        for (uint16_t k : corners) {
            if (mapped) glTexCoord2f(mesh.mapping[k].u, mesh.mapping[k].v);
            const Vector3& v = mesh.vertices[k];
            glVertex3f(v.x, v.y, v.z);
        }
    }
    if (open) glEnd();
}

}  // namespace

Scene3dsTextures loadScene3dsTextures(const Scene3ds& scene, const std::vector<std::string>& dirs,
                                      std::vector<std::string>* problems)
{
    Scene3dsTextures textures;
    textures.names.assign(scene.materials.size(), 0);
    PictureCache cache;
    for (size_t i = 0; i < scene.materials.size(); ++i)
        if (!scene.materials[i].textureFile.empty())
            textures.names[i] = loadMaterialTexture(scene.materials[i], dirs, cache, problems);
    return textures;
}

void releaseScene3dsTextures(Scene3dsTextures& textures)
{
    // Materials that map one picture share its name: each is deleted once.
    std::vector<unsigned int> names = textures.names;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (unsigned int name : names)
        if (name) glDeleteTextures(1, &name);
    textures.names.clear();
}

void drawScene3ds(const Scene3ds& scene, const Scene3dsTextures& textures)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT |
                 GL_TEXTURE_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_NORMALIZE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (const Scene3dsObject& object : scene.objects)
        if (object.hasMesh) drawMesh(scene, textures, object.mesh);
    glPopAttrib();
}
