// Texture slots: every picture of the game as a mipmapped GL texture under a fixed slot.
// Depends on: bmp_image.h, texture_table.h, the platform message box, OpenGL/GLU.
#pragma once
#include "world/texture_table.h"

// The GL texture of each picture slot; 0 for a slot that holds no picture.
extern unsigned int slotTextures[TEXTURE_SLOT_COUNT];

// Reads the picture at path into a new texture stored in slots[slot]. A picture that
// cannot be used shows its message in the box; once closed the program ends with status 1.
void loadTexture(unsigned int* slots, const char* path, int slot);
// Every picture of the slot table, in ascending slot order; the menu's pages only when
// withMenuPages (the game loads each page when the menu shows it). The last stays bound.
void loadAllTextures(unsigned int* slots, bool withMenuPages = true);
// The same in two halves. readAllTextures reads and checks every picture (a picture that
// cannot be used ends the program as loadTexture's do) and names each texture in its slot;
// makePendingTextures makes the named textures from them and leaves the bound texture as it
// found it. The game shows its first frame, a menu page, in between.
void readAllTextures(unsigned int* slots, bool withMenuPages);
void makePendingTextures();
