// Draws the picture of the selected menu item, or the about or help page, each page a
// texture only while the menu shows it.
// Depends on: menu_draw.h, game_state.h, overlay_draw.h, textures_gl.h, startup.h, window_gl.h, GL.
#include "app/menu_draw.h"

#include "app/game_state.h"
#include "app/overlay_draw.h"
#include "app/startup.h"
#include "app/window_gl.h"
#include "platform/heap_tuning.h"
#include "world/textures_gl.h"

#include <GL/gl.h>

int menuPictureSlot()
{
    const GameState& g = gameState;
    if (g.aboutShown && !g.helpShown) return ABOUT_PAGE_SLOT;
    if (g.helpShown && !g.aboutShown) return HELP_PAGE_SLOT;
    return MENU_FIRST_SLOT + g.menuIndex;
}

namespace {
// The menu page whose texture is loaded, or NO_PAGE.
const int NO_PAGE = -1;
int residentMenuPage = NO_PAGE;

// One page at a time is a texture: the one the menu shows.
void useMenuPage(int slot)
{
    if (slot == residentMenuPage) return;
    releaseMenuPage();
    // The page's file and pixels (6 MB) would otherwise stay behind as holes in the heap.
    heapKeepLargeBuffers();
    loadTexture(slotTextures, texturePathForSlot(slot), slot);
    heapReleaseLargeBuffers();
    residentMenuPage = slot;
}
}  // namespace

void releaseMenuPage()
{
    if (residentMenuPage == NO_PAGE) return;
    glDeleteTextures(1, &slotTextures[residentMenuPage]);
    slotTextures[residentMenuPage] = 0;
    residentMenuPage = NO_PAGE;
}

void drawFullScreenPicture(int slot) { drawPictureQuad(slot, 0, 0, windowWidth, windowHeight); }

void drawMenu()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    // The model-view matrix is still the identity the reshape loaded: play never ran yet.
    beginWindowPixels();
    glEnable(GL_TEXTURE_2D);
    int slot = menuPictureSlot();
    useMenuPage(slot);
    drawFullScreenPicture(slot);
    glEnable(GL_CULL_FACE);
    endWindowPixels();
}
