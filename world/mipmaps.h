// The mipmap levels of a picture whose sides are powers of two, made as GLU's
// gluBuild2DMipmaps makes them for bytes (the same levels bit for bit): each texel of the
// next level the rounded mean of a 2 x 2 block, or of a pair once one side is 1 (then the
// mean rounds down, as GLU's does).
// Depends on: nothing. No GL.
#pragma once
#include <cstdint>

// True when both sides are powers of two: the pictures this builder makes levels for.
bool hasPowerOfTwoSides(int width, int height);

// How many levels the full chain down to 1 x 1 has (level 0 included).
int mipmapLevelCount(int width, int height);

// The size of the level below one of width x height.
int halvedSide(int side);

// Writes the level below src (width x height texels of components bytes each, rows
// without gaps, sides powers of two, not both 1) into dst, rows without gaps. dst may be
// src itself: every texel is written after the texels it reads.
void halveLevel(const uint8_t* src, int width, int height, int components, uint8_t* dst);
