// Drawing in window pixels, shared by the menu screens and the play overlay: upright
// pictures over a rectangle and bitmap text.
// Depends on: textures_gl.h, GL, GLUT's bitmap font.
#pragma once

// Binds the slot's texture and draws its picture upright over the rectangle (window pixels,
// y downwards): texture (0, 1) at the top left, (1, 1) top right, (1, 0) bottom right,
// (0, 0) bottom left. Blending and colour are the caller's.
void drawPictureQuad(int slot, float left, float top, float right, float bottom);
// Draws count bytes from the raster position (x, y) in the game's font, one character per
// byte, each byte passed as a signed character code (NULs included; the font skips them).
// The colour must be set before: it is taken with the raster position.
void drawBitmapBytes(float x, float y, const char* bytes, int count);
// The same up to the first NUL.
void drawBitmapText(float x, float y, const char* text);
