// The bitmap fonts of the browser's window library: the glyph tables the build copies from
// the host's window library (web/fonts/font_extract.cpp writes their definitions).
// Depends on: nothing.
#pragma once

// Character c is characters[c] (null when the font has none): its width in pixels, then
// `height` rows, bottom row first, of (width + 7) / 8 bytes, leftmost pixel in the top bit.
struct BitmapFont {
    int quantity;
    int height;
    float xorig, yorig;
    const unsigned char* const* characters;
};

extern const BitmapFont bitmapFontTimesRoman24;
extern const BitmapFont bitmapFontHelvetica18;
extern const BitmapFont bitmapFontHelvetica12;
