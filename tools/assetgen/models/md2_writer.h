// Writes a keyframed mesh as an MD2 file (version 8) the game's loader reads.
// Depends on: geometry.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/models/geometry.h"

namespace chargen {

struct Md2Keyframe {
    std::string name;            // at most 15 characters
    std::vector<V3> positions;   // model coordinates as the game sees them: x forward, y up
};

struct Md2Content {
    int skinWidth = 0;
    int skinHeight = 0;
    std::string skinName;        // at most 63 characters
    std::vector<int> st;         // s, t pixel pairs of the skin
    std::vector<MeshTri> tris;
    std::vector<Md2Keyframe> frames;
};

// The file's bytes, or an empty vector after printing why the content cannot be stored.
std::vector<uint8_t> encodeMd2(const Md2Content& content);

}  // namespace chargen
