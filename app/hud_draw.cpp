// The 2D overlay of play mode, and the top-five table once the game is over.
// Depends on: hud_draw.h, game_state.h, hand_bands.h, play_step.h (the texts), highscore_table.h,
// overlay_draw.h, startup.h (window size), texture_table.h, GL.
#include "app/hud_draw.h"

#include "app/game_state.h"
#include "app/highscore_table.h"
#include "app/overlay_draw.h"
#include "app/play_step.h"
#include "app/startup.h"
#include "world/hand_bands.h"
#include "world/texture_table.h"

#include <GL/gl.h>

namespace {

const float CROSSHAIR_HALF_SIZE = 20.0f;
const float SCORE_X = 70.0f;
const float SCORE_Y = 70.0f;
const float TIME_RIGHT_OFFSET = 100.0f;  // from the right edge of the window
const float TIME_Y = 70.0f;
const float TABLE_X = 100.0f;
const float TABLE_FIRST_Y = 120.0f;
const float TABLE_ROW_STEP = 30.0f;

const GLfloat CROSSHAIR_COLOUR[3] = {0, 0, 1};
const GLfloat SCORE_COLOUR[3] = {1, 0, 0};
const GLfloat TIME_COLOUR[3] = {0, 0, 1};
const GLfloat TABLE_COLOUR[3] = {1, 0, 0};
// The pictures are modulated by yellow: drawn without their blue component.
const GLfloat PICTURE_COLOUR[3] = {1, 1, 0};

void drawCrosshair()
{
    float cx = windowWidth / 2, cy = windowHeight / 2;
    glColor3fv(CROSSHAIR_COLOUR);
    glBegin(GL_LINE_STRIP);
    glVertex2f(cx - CROSSHAIR_HALF_SIZE, cy);
    glVertex2f(cx + CROSSHAIR_HALF_SIZE, cy);
    glEnd();
    glBegin(GL_LINE_STRIP);
    glVertex2f(cx, cy - CROSSHAIR_HALF_SIZE);
    glVertex2f(cx, cy + CROSSHAIR_HALF_SIZE);
    glEnd();
}

// A hand picture over the lower-left two thirds of the window, added onto what is there.
// Black adds nothing, and most of the picture is black: the quad is drawn band by band,
// each scissored to the columns that can add something (the same pixels, a quarter of the
// blending).
void drawHandPicture(int slot, const AddingRows& rows)
{
    float left = 0, top = windowHeight / 3, right = 2 * windowWidth / 3, bottom = windowHeight;
    glEnable(GL_BLEND);
    if (rows.width == 0) {
        drawPictureQuad(slot, left, top, right, bottom);
    } else {
        glEnable(GL_SCISSOR_TEST);
        ScissorBox box;
        for (int band = 0; band < HAND_BAND_COUNT; ++band) {
            if (!handBandBox(rows, left, top, right, bottom, (int)windowHeight, band,
                             HAND_BAND_COUNT, box))
                continue;
            glScissor(box.x, box.y, box.width, box.height);
            drawPictureQuad(slot, left, top, right, bottom);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    glDisable(GL_BLEND);
}

void drawHighscoreTable()
{
    glDisable(GL_TEXTURE_2D);
    for (int j = 0; j < HIGHSCORE_RECORD_COUNT; ++j) {
        glColor3fv(TABLE_COLOUR);
        drawBitmapBytes(TABLE_X, TABLE_FIRST_Y + TABLE_ROW_STEP * j,
                        (const char*)highscoreTable.records[j].bytes, HIGHSCORE_RECORD_SIZE);
    }
    // A score that made the table but could not be saved says so a row below the table.
    if (!highscoreNotSavedText.empty()) {
        glColor3fv(TABLE_COLOUR);
        drawBitmapText(TABLE_X, TABLE_FIRST_Y + TABLE_ROW_STEP * (HIGHSCORE_RECORD_COUNT + 1),
                       highscoreNotSavedText.c_str());
    }
    glEnable(GL_TEXTURE_2D);
}

void drawPlayOverlay(const GameState& g)
{
    // Lines and text take their texels too while texturing is on: whatever picture and
    // coordinate the 3D frame left would tint them, mostly to black. They go untextured.
    glDisable(GL_TEXTURE_2D);
    drawCrosshair();

    glColor3fv(SCORE_COLOUR);
    drawBitmapText(SCORE_X, SCORE_Y, scoreText);

    glColor3fv(TIME_COLOUR);
    drawBitmapText(windowWidth - TIME_RIGHT_OFFSET, TIME_Y, timeText);

    glEnable(GL_TEXTURE_2D);
    glColor3fv(PICTURE_COLOUR);
    if (g.fistShown) drawHandPicture(FIST_SLOT, fistAddingRows);
    drawHandPicture(HAND_SLOT, handAddingRows);
}

}  // namespace

void drawHud(bool played)
{
    // Everything here lies at depth 0: with the depth test on, the first of two overlapping
    // pieces would hide the second (the fist would hide the hand drawn over it).
    glDisable(GL_DEPTH_TEST);
    if (played) drawPlayOverlay(gameState);
    else drawHighscoreTable();
    glEnable(GL_DEPTH_TEST);
}
