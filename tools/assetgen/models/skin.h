// The skin of a passer-by: where each part's picture sits in the square skin, and the
// painting of it with the shading the game's flat light does not give.
// Depends on: model.h.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/assetgen/models/model.h"

namespace chargen {

const int SKIN_SIZE = 256;
// The head always takes the top left block, its face in the middle half of the block.
const int HEAD_REGION_W = 128;
const int HEAD_REGION_H = 64;
// Room around every island so that smaller mipmap levels do not pull in a neighbour.
const int ISLAND_PAD = 3;

// Gives every part of the design its island; false if they cannot be made to fit.
bool layoutSkin(Design& design);

// The painted skin, SKIN_SIZE square, RGB bytes, top row first.
std::vector<uint8_t> paintSkin(const Design& design);

}  // namespace chargen
