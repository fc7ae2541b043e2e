// Fuzz target: the 3DS scene reader over arbitrary bytes, then what the preview and the
// inspector do with a scene without GL (face materials, bounds, texture look-up), and the
// scene written out and read back.
// A read scene names only vertices and faces it holds, has finite vertices and mapping for
// all vertices or none, and writes out into a file that reads back the same; a refused file
// leaves the scene as it was.
// Seeds (corpus/scene3ds/): the street as `kerbrunner-assets street --3ds` writes it, and
// hand-made files as other tools write them (cameras, lights, keyframes, objects without
// faces, materials with and without pictures, colours plain and gamma-corrected).
// Depends on: world/scene3ds.h, fuzz_check.h.
#include "fuzz/fuzz_check.h"
#include "world/scene3ds.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const UNTOUCHED = "untouched";  // an object name no refused read may change

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void checkMesh(const Scene3ds& scene, const Scene3dsMesh& mesh)
{
    size_t vertices = mesh.vertices.size();
    for (const Vector3& v : mesh.vertices)
        FUZZ_CHECK(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    for (const Scene3dsFace& f : mesh.faces) FUZZ_CHECK(f.a < vertices && f.b < vertices && f.c < vertices);
    FUZZ_CHECK(mesh.mapping.empty() || mesh.mapping.size() == vertices);
    for (const Scene3dsFaceGroup& g : mesh.faceGroups)
        for (uint16_t face : g.faces) FUZZ_CHECK(face < mesh.faces.size());
    std::vector<int> materials = faceMaterialIndices(scene, mesh);
    FUZZ_CHECK(materials.size() == mesh.faces.size());
    for (int m : materials) FUZZ_CHECK(m >= -1 && m < (int)scene.materials.size());
    Scene3dsBounds b = meshBounds(mesh);
    FUZZ_CHECK(b.empty == mesh.vertices.empty());
    FUZZ_CHECK(b.empty || (b.low.x <= b.high.x && b.low.y <= b.high.y && b.low.z <= b.high.z));
}

void checkSameMesh(const Scene3dsMesh& a, const Scene3dsMesh& b)
{
    FUZZ_CHECK(a.vertices.size() == b.vertices.size());
    for (size_t i = 0; i < a.vertices.size(); ++i)
        FUZZ_CHECK(sameBits(a.vertices[i].x, b.vertices[i].x) &&
                   sameBits(a.vertices[i].y, b.vertices[i].y) &&
                   sameBits(a.vertices[i].z, b.vertices[i].z));
    FUZZ_CHECK(a.faces.size() == b.faces.size());
    for (size_t i = 0; i < a.faces.size(); ++i)
        FUZZ_CHECK(a.faces[i].a == b.faces[i].a && a.faces[i].b == b.faces[i].b &&
                   a.faces[i].c == b.faces[i].c && a.faces[i].flags == b.faces[i].flags);
    FUZZ_CHECK(a.mapping.size() == b.mapping.size());
    for (size_t i = 0; i < a.mapping.size(); ++i)
        FUZZ_CHECK(sameBits(a.mapping[i].u, b.mapping[i].u) && sameBits(a.mapping[i].v, b.mapping[i].v));
    FUZZ_CHECK(a.hasLocalAxes == b.hasLocalAxes);
    for (int k = 0; k < 12 && a.hasLocalAxes; ++k) FUZZ_CHECK(sameBits(a.localAxes[k], b.localAxes[k]));
    FUZZ_CHECK(a.faceGroups.size() == b.faceGroups.size());
    for (size_t i = 0; i < a.faceGroups.size(); ++i)
        FUZZ_CHECK(a.faceGroups[i].material == b.faceGroups[i].material &&
                   a.faceGroups[i].faces == b.faceGroups[i].faces);
}

// Colours are written as bytes, so only whether each is there survives exactly.
void checkSameScene(const Scene3ds& a, const Scene3ds& b)
{
    FUZZ_CHECK(a.objects.size() == b.objects.size());
    for (size_t i = 0; i < a.objects.size(); ++i) {
        FUZZ_CHECK(a.objects[i].name == b.objects[i].name);
        FUZZ_CHECK(a.objects[i].hasMesh == b.objects[i].hasMesh);
        if (a.objects[i].hasMesh) checkSameMesh(a.objects[i].mesh, b.objects[i].mesh);
    }
    FUZZ_CHECK(a.materials.size() == b.materials.size());
    for (size_t i = 0; i < a.materials.size(); ++i) {
        const Scene3dsMaterial &m = a.materials[i], &n = b.materials[i];
        FUZZ_CHECK(m.name == n.name && m.textureFile == n.textureFile);
        FUZZ_CHECK(m.ambient.present == n.ambient.present && m.diffuse.present == n.diffuse.present &&
                   m.specular.present == n.specular.present);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Scene3ds scene;
    scene.objects.push_back(Scene3dsObject{UNTOUCHED, false, {}});
    const char* reason = decodeScene3ds(data, size, &scene);
    if (reason) {
        FUZZ_CHECK(*reason != '\0');
        FUZZ_CHECK(scene.objects.size() == 1 && scene.objects[0].name == UNTOUCHED);
        return 0;
    }
    for (const Scene3dsObject& o : scene.objects) {
        FUZZ_CHECK(o.name.find('\0') == std::string::npos);
        if (o.hasMesh) checkMesh(scene, o.mesh);
        else FUZZ_CHECK(o.mesh.vertices.empty() && o.mesh.faces.empty());
    }
    for (const Scene3dsMaterial& m : scene.materials) {
        std::vector<std::string> candidates = textureFileCandidates(m.textureFile, {"dir", ""});
        FUZZ_CHECK(candidates.size() <= 6);
    }
    Scene3dsBounds all = sceneBounds(scene);
    FUZZ_CHECK(all.empty || (std::isfinite(all.low.x) && std::isfinite(all.high.z)));

    std::vector<uint8_t> written;
    FUZZ_CHECK(encodeScene3ds(scene, &written) == nullptr);
    Scene3ds back;
    FUZZ_CHECK(decodeScene3ds(written.data(), written.size(), &back) == nullptr);
    checkSameScene(scene, back);
    return 0;
}
