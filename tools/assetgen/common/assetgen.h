// The asset generator: every picture, model and sound of the game, made by our own code.
// Depends on: nothing (each part brings its own libraries).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Each part writes its files below outDir at the paths the game reads; false on failure
// after printing what went wrong.
bool generatePictures(const std::string& outDir);    // the 36 pictures that are not skins
bool generateCharacters(const std::string& outDir);  // 13 models and their 13 skins
bool generateSounds(const std::string& outDir);      // 2 pieces of music, 2 effects
// The desktop icon at 48, 64, 128 and 256 pixels, as outDir/NxN/apps/kerbrunner.png.
bool generateIcons(const std::string& outDir);

// Shared helpers (file_util.cpp).
bool makeDirectories(const std::string& path);                     // like mkdir -p
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// BMP writers (bmp_writer.cpp). Pixels are given top row first, RGB order; the file is
// written bottom-up as usual.
std::vector<uint8_t> encodeBmp24(int width, int height, const std::vector<uint8_t>& rgbTopDown);
// 8-bit palettised: palette holds up to 256 RGB triples, indices one byte per pixel.
std::vector<uint8_t> encodeBmp8(int width, int height, const std::vector<uint8_t>& paletteRgb,
                                const std::vector<uint8_t>& indicesTopDown);
