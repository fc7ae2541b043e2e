// displayFrame: the play step decides, then the street, the passers-by and the HUD show it.
// Depends on: frame_draw.h, play_step.h, game_state.h, harness_device.h, bench_floors_gl.h,
// hud_draw.h, menu_draw.h, sound_device.h, window_gl.h (window pixels), character_draw.h,
// roster.h, camera_gl.h, lighting_gl.h, street_draw.h, textures_gl.h, GL/GLUT.
#include "app/frame_draw.h"

#include "app/bench_floors_gl.h"
#include "app/game_state.h"
#include "app/harness_device.h"
#include "app/hud_draw.h"
#include "app/menu_draw.h"
#include "app/play_step.h"
#include "app/sound_device.h"
#include "app/window_gl.h"
#include "characters/character_draw.h"
#include "characters/roster.h"
#include "player/camera_gl.h"
#include "world/lighting_gl.h"
#include "world/street_draw.h"
#include "world/textures_gl.h"

#include <GL/freeglut.h>

namespace {

PlayFrame currentPlayFrame;

// The 3D pass: the eye, the passers-by as their steps left them, then the street.
void drawStreetAndPassersBy(const PlayFrame& frame)
{
    applyLookAt(frame.eye);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    applySceneMaterial(GL_FRONT_AND_BACK);
    beginCharacterFrame();
    for (int i = 0; i < ROSTER_SIZE; ++i) drawCharacter(roster[i], frame.characters[i]);
    glCallList(streetSceneList);
    applySceneMaterial(GL_FRONT);
}

// The 2D pass in window pixels, lighting and culling off.
void drawOverlay(bool played)
{
    glDisable(GL_CULL_FACE);
    beginWindowPixels();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    drawHud(played);
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    endWindowPixels();
}

}  // namespace

void displayFrame()
{
    harnessBeginFrame();
    bool recorded = benchRecordsThisFrame();
    if (recorded) benchBeginRecording();
    if (gameState.menuMode) {
        drawMenu();
    } else {
        releaseMenuPage();
        // Once the game is over nothing moves: the table is drawn over the last picture.
        bool played = stepPlayFrame(currentPlayFrame);
        if (played) {
            playEffectSounds(currentPlayFrame);
            drawStreetAndPassersBy(currentPlayFrame);
        }
        drawOverlay(played);
    }
    if (recorded) benchEndRecording();
    harnessBeforeSwap();
    glutSwapBuffers();
    harnessEndFrame();
    benchAfterSwap();
    // The street's pictures become textures after the first frame, which shows none of them.
    makePendingTextures();
}
