// Joins face corners into shared vertices so that each keyframe pair is blended once per
// vertex rather than once per corner.
// Depends on: md2_mesh.h.
#include "characters/md2_mesh.h"

#include <cmath>
#include <unordered_map>

namespace {
const uint32_t MAX_JOINED_INDEX = 65535;
}

void buildDrawMesh(Md2Model& model)
{
    Md2DrawMesh& mesh = model.drawMesh();
    if (mesh.built) return;
    mesh.built = true;
    if (model.frames.empty()) return;
    // The bound of every frame, for skipping models outside the view.
    float radius = 0.0f;
    for (const Md2Frame& frame : model.frames)
        for (const Vector3& v : frame.vertices) {
            float r = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
            if (r > radius) radius = r;
        }
    mesh.boundRadius = radius;

    const Md2Frame& f0 = model.frames[0];
    bool textured = !f0.texCoords.empty();

    // Key: vertex index and texture-coordinate index of a corner.
    std::unordered_map<uint64_t, uint32_t> joined;
    mesh.indices.reserve(f0.faces.size() * 3);
    for (const Md2Face& face : f0.faces) {
        for (int j = 0; j < 3; ++j) {
            int32_t vi = face.vertexIndex[j];
            int32_t ti = textured ? face.texCoordIndex[j] : 0;
            uint64_t key = ((uint64_t)(uint32_t)vi << 32) | (uint32_t)ti;
            auto found = joined.find(key);
            uint32_t index;
            if (found != joined.end()) {
                index = found->second;
            } else {
                index = (uint32_t)mesh.cornerVertex.size();
                joined.emplace(key, index);
                mesh.cornerVertex.push_back(vi);
                mesh.texCoords.push_back(textured ? f0.texCoords[ti].u : 0.0f);
                mesh.texCoords.push_back(textured ? f0.texCoords[ti].v : 0.0f);
            }
            if (index > MAX_JOINED_INDEX) {
                // Such a model is drawn corner by corner instead.
                mesh.tooLarge = true;
                mesh.indices.clear();
                mesh.cornerVertex.clear();
                mesh.texCoords.clear();
                return;
            }
            mesh.indices.push_back((uint16_t)index);
        }
    }
    mesh.positions.assign(mesh.cornerVertex.size() * 3, 0.0f);
}
