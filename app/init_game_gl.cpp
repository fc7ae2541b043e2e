// The one-time start-up of the game: the fixed GL state and every asset, loaded once.
// Depends on: startup.h, lighting, textures, the roster, street scene, sound, GL.
#include "app/startup.h"

#include "app/sound_device.h"
#include "characters/md2_draw.h"
#include "characters/roster.h"
#include "platform/environment.h"
#include "world/lighting_gl.h"
#include "world/street_draw.h"
#include "world/textures_gl.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

void initGame()
{
    glShadeModel(GL_SMOOTH);
    // Additive blending for the hand pictures; blending itself stays off until they draw.
    glBlendFunc(GL_ONE, GL_ONE);
    setupLighting();
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_ALPHA_TEST);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glEnable(GL_TEXTURE_2D);
    // The menu's pages are 33 MB of texture: each is loaded when the menu shows it. The
    // others are read and checked now, and made into textures once the first frame, a menu
    // page, is on screen (displayFrame).
    readAllTextures(slotTextures, false);
    // Developers compare the two ways of sending the models to GL with this.
    const char* drawPath = environmentVariable(MODEL_DRAW_PATH_VARIABLE);
    if (drawPath && std::strcmp(drawPath, "immediate") == 0) modelDrawPath = ModelDrawPath::Immediate;
    loadAllCharacters();
    placeAllCharacters();
    buildStreetScene();
    initSound();
}
