// Draws the picture of the selected menu item, or the about or help page.
// Depends on: menu_draw.h, game_state.h, overlay_draw.h, textures_gl.h, startup.h, window_gl.h, GL.
#include "app/menu_draw.h"

#include "app/game_state.h"
#include "app/overlay_draw.h"
#include "app/startup.h"
#include "app/window_gl.h"
#include "world/textures_gl.h"

#include <GL/gl.h>

int menuPictureSlot()
{
    const GameState& g = gameState;
    if (g.aboutShown && !g.helpShown) return ABOUT_PAGE_SLOT;
    if (g.helpShown && !g.aboutShown) return HELP_PAGE_SLOT;
    return MENU_FIRST_SLOT + g.menuIndex;
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
    drawFullScreenPicture(menuPictureSlot());
    glEnable(GL_CULL_FACE);
    endWindowPixels();
}
