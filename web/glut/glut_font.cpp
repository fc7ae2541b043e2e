// glutBitmapCharacter as the desktop's window library does it: the glyph drawn with
// glBitmap at the raster position, one byte per row's alignment, then the raster position
// moved on by the glyph's width. Characters outside 1-255 are skipped, as there.
// Depends on: bitmap_font.h (glyphs copied from the host's library at build time),
// GL/freeglut.h (GL 1.1 of web/gl/).
#include "web/glut/bitmap_font.h"

#include <GL/freeglut.h>

namespace {

const int FIRST_CHARACTER = 1;
const int CHARACTER_LIMIT = 256;

const BitmapFont* fontByHandle(void* font)
{
    if (font == GLUT_BITMAP_TIMES_ROMAN_24) return &bitmapFontTimesRoman24;
    if (font == GLUT_BITMAP_HELVETICA_18) return &bitmapFontHelvetica18;
    if (font == GLUT_BITMAP_HELVETICA_12) return &bitmapFontHelvetica12;
    return nullptr;
}

}  // namespace

void glutBitmapCharacter(void* fontHandle, int character)
{
    const BitmapFont* font = fontByHandle(fontHandle);
    if (!font || character < FIRST_CHARACTER || character >= CHARACTER_LIMIT ||
        character >= font->quantity)
        return;
    const unsigned char* glyph = font->characters[character];
    if (!glyph) return;
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBitmap(glyph[0], font->height, font->xorig, font->yorig, (GLfloat)glyph[0], 0.0f, glyph + 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}
