// Writes every picture of the slot table except the character skins (those come with the
// models): painted pictures as 24-bit BMP, the plain marker colours as 8-bit palettised BMP.
// Depends on: common/assetgen.h, painters.h, text.h, texture_table.h, character_kinds.h.
#include <cstdio>
#include <string>

#include "characters/character_kinds.h"
#include "tools/assetgen/common/assetgen.h"
#include "tools/assetgen/pictures/painters.h"
#include "tools/assetgen/pictures/text.h"
#include "world/texture_table.h"

namespace {

const char* const MSG_NO_PAINTER = "assetgen: no picture is made for slot %d (%s)\n";
const char* const MSG_NO_FONTS = "assetgen: the menu pages need their fonts; no pictures written\n";

// A plain colour is enough where the game only ever samples one texel (the marker cones)
// or wants pure black (the inner faces of the sign board).
const int PLAIN_PICTURE_SIZE = 16;
const int PLAIN_PALETTE_ENTRIES = 16;  // a shaded ramp of the colour; pixels use the last
const int SIGN_INNER_SLOT = 50;

struct PaintedPicture {
    int slot;
    Canvas (*paint)();
};

struct PlainPicture {
    int slot;
    uint32_t color;
};

Canvas paintMenuStart() { return paintMenuPage(0); }
Canvas paintMenuAbout() { return paintMenuPage(1); }
Canvas paintMenuHelp() { return paintMenuPage(2); }
Canvas paintMenuQuit() { return paintMenuPage(3); }

const PaintedPicture paintedPictures[] = {
    // Menu pages
    {MENU_FIRST_SLOT + 0, paintMenuStart},
    {MENU_FIRST_SLOT + 1, paintMenuAbout},
    {MENU_FIRST_SLOT + 2, paintMenuHelp},
    {MENU_FIRST_SLOT + 3, paintMenuQuit},
    {ABOUT_PAGE_SLOT,     paintAboutPage},
    {HELP_PAGE_SLOT,      paintHelpPage},
    // First-person overlays
    {HAND_SLOT,           paintHand},
    {FIST_SLOT,           paintFist},
    // Street surfaces
    {10,                  paintHouseRow},
    {11,                  paintRails},
    {15,                  paintColumn},
    {17,                  paintPavement},
    {21,                  paintConcrete},
    {40,                  paintBridgeSide},
    {41,                  paintWindowBand},
    {42,                  paintUpperWindows},
    {43,                  paintAsphalt},
    {44,                  paintLibraryWall},
    {45,                  paintStandFront},
    {47,                  paintStandWall},
    {48,                  paintEndFacade},
    {49,                  paintKebabSign},
    // Sky box
    {22,                  paintSkyNorth},
    {23,                  paintSkyEast},
    {24,                  paintSkySouth},
    {25,                  paintSkyWest},
    {26,                  paintSkyTop},
    // Loaded with the rest but never shown
    {12,                  paintRocket},
    {13,                  paintCeilingTiles},
    {14,                  paintBrickWall},
    {16,                  paintRoughConcrete},
    {18,                  paintStandPicture},
    {46,                  paintStandLeftSide},
};

const PlainPicture plainPictures[] = {
    {MARKER_GREEN_SLOT, 0x00ff00},
    {MARKER_RED_SLOT,   0xff0000},
    {SIGN_INNER_SLOT,   0x000000},
};

bool isSkinSlot(int slot)
{
    for (const CharacterKind& kind : characterKinds)
        if (kind.textureSlot == slot) return true;
    return false;
}

bool writePlain(const std::string& path, uint32_t color)
{
    std::vector<uint8_t> palette;
    for (int i = 1; i <= PLAIN_PALETTE_ENTRIES; ++i) {
        palette.push_back((uint8_t)(((color >> 16) & 0xff) * i / PLAIN_PALETTE_ENTRIES));
        palette.push_back((uint8_t)(((color >> 8) & 0xff) * i / PLAIN_PALETTE_ENTRIES));
        palette.push_back((uint8_t)((color & 0xff) * i / PLAIN_PALETTE_ENTRIES));
    }
    std::vector<uint8_t> indices((size_t)PLAIN_PICTURE_SIZE * PLAIN_PICTURE_SIZE,
                                 (uint8_t)(PLAIN_PALETTE_ENTRIES - 1));
    return writeFileBytes(path,
                          encodeBmp8(PLAIN_PICTURE_SIZE, PLAIN_PICTURE_SIZE, palette, indices));
}

bool writePainted(const std::string& path, Canvas (*paint)())
{
    Canvas canvas = paint();
    return writeFileBytes(path, encodeBmp24(canvas.width, canvas.height, canvasBytes(canvas)));
}

bool writePicture(const std::string& outDir, int slot, const char* path)
{
    std::string fullPath = outDir + "/" + path;
    for (const PlainPicture& plain : plainPictures)
        if (plain.slot == slot) return writePlain(fullPath, plain.color);
    for (const PaintedPicture& painted : paintedPictures)
        if (painted.slot == slot) return writePainted(fullPath, painted.paint);
    std::fprintf(stderr, MSG_NO_PAINTER, slot, path);
    return false;
}

}  // namespace

bool generatePictures(const std::string& outDir)
{
    if (!openFonts()) {
        std::fprintf(stderr, "%s", MSG_NO_FONTS);
        return false;
    }
    bool ok = true;
    for (int i = 0; i < textureFileCount; ++i) {
        const TextureFile& file = textureFiles[i];
        if (isSkinSlot(file.slot)) continue;
        ok = writePicture(outDir, file.slot, file.path) && ok;
    }
    closeFonts();
    return ok;
}
