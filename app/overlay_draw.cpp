// Pictures and text in window pixels for the menu and the play overlay.
// Depends on: overlay_draw.h, textures_gl.h, GL, GLUT.
#include "app/overlay_draw.h"

#include "world/textures_gl.h"

#include <GL/freeglut.h>
#include <cstring>

namespace {
void* const OVERLAY_FONT = GLUT_BITMAP_TIMES_ROMAN_24;
}

void drawPictureQuad(int slot, float left, float top, float right, float bottom)
{
    glBindTexture(GL_TEXTURE_2D, slotTextures[slot]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(left, top);
    glTexCoord2f(1, 1);
    glVertex2f(right, top);
    glTexCoord2f(1, 0);
    glVertex2f(right, bottom);
    glTexCoord2f(0, 0);
    glVertex2f(left, bottom);
    glEnd();
}

void drawBitmapBytes(float x, float y, const char* bytes, int count)
{
    glRasterPos2f(x, y);
    for (int i = 0; i < count; ++i) glutBitmapCharacter(OVERLAY_FONT, (signed char)bytes[i]);
}

void drawBitmapText(float x, float y, const char* text)
{
    drawBitmapBytes(x, y, text, (int)std::strlen(text));
}
