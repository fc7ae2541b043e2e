// The fixed table of picture files and the texture slot each one fills.
// Depends on: nothing.
#pragma once

const int TEXTURE_SLOT_COUNT = 51;

struct TextureFile {
    int slot;
    const char* path;  // relative to the data directory
};

// The 49 pictures in ascending slot order; slots 6 and 20 have no picture.
extern const TextureFile textureFiles[];
extern const int textureFileCount;  // 49

// Slots named by the code that draws them.
const int MENU_FIRST_SLOT = 0;     // slots 0..3: main menu, one per selected item
const int ABOUT_PAGE_SLOT = 4;
const int HELP_PAGE_SLOT = 5;
const int MENU_PAGE_SLOT_COUNT = 6;  // slots 0..5: the pages the menu shows
const int HAND_SLOT = 7;
const int FIST_SLOT = 8;
const int MARKER_GREEN_SLOT = 9;
const int MARKER_RED_SLOT = 19;

// True for the slots of the menu's pages.
bool isMenuPageSlot(int slot);
// The path of a slot's picture, or null for an empty slot.
const char* texturePathForSlot(int slot);
