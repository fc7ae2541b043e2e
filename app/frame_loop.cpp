// displayFrame is both the display and the idle callback: frames are drawn back to back.
// Depends on: frame_loop.h, game_state.h, camera.h, collision.h, street_scene.h, lighting.h, roster,
// hud.h, menu.h, harness.h, startup.h (window pixels), bench_floors.h, GL/GLUT.
#include "app/frame_loop.h"

#include "app/bench_floors.h"
#include "app/game_state.h"
#include "app/harness.h"
#include "app/hud.h"
#include "app/menu.h"
#include "app/startup.h"
#include "characters/character_draw.h"
#include "characters/roster.h"
#include "player/camera.h"
#include "player/collision.h"
#include "world/lighting.h"
#include "world/street_scene.h"

#include <GL/freeglut.h>

void playFrame()
{
    if (gameState.gameOver) return;
    measureFrameTime();
    movePlayer();
    applyLookAt(playerCamera);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    applySceneMaterial(GL_FRONT_AND_BACK);
    beginCharacterFrame();
    for (Character& c : roster) updateCharacter(c);
    gameState.flyerClick = false;
    glCallList(streetSceneList);
    applySceneMaterial(GL_FRONT);
}

void displayFrame()
{
    harnessBeginFrame();
    bool recorded = benchRecordsThisFrame();
    if (recorded) benchBeginRecording();
    if (gameState.menuMode) {
        drawMenu();
    } else {
        playFrame();
        glDisable(GL_CULL_FACE);
        beginWindowPixels();
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        drawHud();
        glEnable(GL_LIGHTING);
        glEnable(GL_CULL_FACE);
        endWindowPixels();
        // The push out of the street's quads shows from the next frame on.
        if (!gameState.gameOver)
            resolveSceneCollision(playerCamera, SceneVertexList.vertices, SceneVertexList.count);
    }
    if (recorded) benchEndRecording();
    harnessBeforeSwap();
    glutSwapBuffers();
    harnessEndFrame();
    benchAfterSwap();
}
