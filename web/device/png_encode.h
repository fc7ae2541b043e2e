// A PNG encoder with no library behind it, for the browser's screenshots: the pixels go into
// stored (uncompressed) deflate blocks, so the file is larger than libpng's but decodes to
// exactly the same picture.
// Depends on: nothing (plain C++; the unit tests link it natively).
#pragma once

#include <cstdint>
#include <vector>

// The largest side encodePngRgb accepts; a larger picture gives an empty result.
extern const int PNG_MAX_SIDE;

// The whole file for width x height 8-bit RGB pixels, rows packed without padding and
// stored bottom row first (as GL reads them back); the PNG has the top row first. Empty
// for a side of 0, a negative one or one above PNG_MAX_SIDE.
std::vector<uint8_t> encodePngRgb(const uint8_t* rgbBottomUp, int width, int height);
