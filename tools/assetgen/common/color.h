// The one colour type of the generator, shared by the pictures and the passers-by's skins,
// and the helpers that mix and shape colours.
// Depends on: nothing beyond the standard library.
#pragma once
#include <cstdint>

// Linear 0..1 channels; painters may go past 1 before the picture is stored.
struct Color {
    float r, g, b;
};

Color hexColor(uint32_t rgb);  // 0xRRGGBB
Color mixColor(Color a, Color b, float t);
Color scaleColor(Color c, float k);
float clamp01(float v);
// Hermite ease from 0 at edge0 to 1 at edge1.
float smoothStep(float edge0, float edge1, float v);
