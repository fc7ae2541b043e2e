// The slot table: which picture file fills which texture slot.
// Depends on: texture_table.h.
#include "world/texture_table.h"

const TextureFile textureFiles[] = {
    // Menu pages
    {0, "textures/menu0.bmp"},
    {1, "textures/menu1.bmp"},
    {2, "textures/menu2.bmp"},
    {3, "textures/menu3.bmp"},
    {4, "textures/about.bmp"},
    {5, "textures/help.bmp"},
    // HUD overlays and markers
    {7, "textures/Hand1klein.bmp"},
    {8, "textures/Faustklein.bmp"},
    {9, "textures/gruen.bmp"},
    // Street surfaces and pictures that are loaded but not drawn
    {10, "textures/hauserreihe.bmp"},
    {11, "textures/schiene.bmp"},
    {12, "textures/rocket.bmp"},
    {13, "textures/ceiling01.bmp"},
    {14, "textures/wall07.bmp"},
    {15, "textures/saeule.bmp"},
    {16, "models/texturen/conc02.bmp"},
    {17, "textures/floor03.bmp"},
    {18, "models/texturen/pizzastand.bmp"},
    {19, "textures/rot.bmp"},
    {21, "textures/decke.bmp"},
    // Sky box
    {22, "textures/north.bmp"},
    {23, "textures/east.bmp"},
    {24, "textures/south.bmp"},
    {25, "textures/west.bmp"},
    {26, "textures/top.bmp"},
    // Character skins
    {27, "textures/rabbit.bmp"},
    {28, "textures/tigger.bmp"},
    {29, "textures/darth.bmp"},
    {30, "textures/messiah.bmp"},
    {31, "textures/civi.bmp"},
    {32, "textures/cartman.bmp"},
    {33, "textures/jupiter.bmp"},
    {34, "textures/suit.bmp"},
    {35, "textures/twilight.bmp"},
    {36, "textures/witchblade.bmp"},
    {37, "textures/r2d2.bmp"},
    {38, "textures/garfield.bmp"},
    {39, "textures/lalaa.bmp"},
    // More street surfaces
    {40, "textures/brucke.bmp"},
    {41, "textures/fenster.bmp"},
    {42, "textures/fenster-unten.bmp"},
    {43, "textures/asph02.bmp"},
    {44, "textures/bibwall.bmp"},
    {45, "textures/pizastand-rechts-aussen.bmp"},
    {46, "textures/pizzastand-links-aussen.bmp"},
    {47, "textures/pizzastand-textur.bmp"},
    {48, "textures/wiedner-hauptstrasse-front.bmp"},
    {49, "textures/huener-kebap.bmp"},
    {50, "textures/schwarz.bmp"},
};

const int textureFileCount = sizeof(textureFiles) / sizeof(textureFiles[0]);

bool isMenuPageSlot(int slot) { return slot >= MENU_FIRST_SLOT && slot < MENU_PAGE_SLOT_COUNT; }

const char* texturePathForSlot(int slot)
{
    for (int i = 0; i < textureFileCount; ++i)
        if (textureFiles[i].slot == slot) return textureFiles[i].path;
    return nullptr;
}
