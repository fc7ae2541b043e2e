// The street drawn once into a display list, its quad corners kept for collision.
// Depends on: street_draw.h, street_table.h, textures_gl.h, lighting_gl.h, OpenGL.
#include "world/street_draw.h"

#include "world/lighting_gl.h"
#include "world/street_table.h"
#include "world/textures_gl.h"

#include <GL/gl.h>

unsigned int streetSceneList;

namespace {
// The sky box's rows follow the ground in the table.
const int SKY_BOX_FIRST_ROW = 1;
const int SKY_BOX_ROW_COUNT = 5;
const int AFTER_SKY_BOX_ROW = SKY_BOX_FIRST_ROW + SKY_BOX_ROW_COUNT;

void drawRow(const StreetQuad& q)
{
    drawTexturedQuad(q.slot, q.sRepeat, q.tRepeat, q.normal, q.c0, q.c1, q.c2, q.c3);
}

}  // namespace

void drawTexturedQuad(int slot, float sRepeat, float tRepeat, Vector3 normal,
                      Vector3 c0, Vector3 c1, Vector3 c2, Vector3 c3)
{
    glBindTexture(GL_TEXTURE_2D, slotTextures[slot]);
    glBegin(GL_QUADS);
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(c0.x, c0.y, c0.z);
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(sRepeat, 0.0f);
    glVertex3f(c1.x, c1.y, c1.z);
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(sRepeat, tRepeat);
    glVertex3f(c2.x, c2.y, c2.z);
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(0.0f, tRepeat);
    glVertex3f(c3.x, c3.y, c3.z);
    glEnd();
}

void buildStreetScene()
{
    streetSceneList = glGenLists(1);
    glNewList(streetSceneList, GL_COMPILE);
    // The characters leave front faces culled; every frame the street selects back faces again.
    glCullFace(GL_BACK);
    // The corners in table order: the collision walks them in that order.
    recordStreetTable(sceneCorners);
    applySceneMaterial(GL_FRONT_AND_BACK);
    drawRow(streetTable[0]);
    applySceneMaterial(GL_FRONT);
    // The sky box behind everything comes last: the depth test then spares the shading of
    // every sky pixel that the street hides (a tenth of the frame's work). The ground, the
    // one surface that touches it, stays first.
    for (int row = AFTER_SKY_BOX_ROW; row < STREET_QUAD_COUNT; ++row) drawRow(streetTable[row]);
    for (int row = SKY_BOX_FIRST_ROW; row < AFTER_SKY_BOX_ROW; ++row) drawRow(streetTable[row]);
    // The list leaves the table's last picture bound, as it did when drawn in table order.
    glBindTexture(GL_TEXTURE_2D, slotTextures[streetTable[STREET_QUAD_COUNT - 1].slot]);
    applySceneMaterial(GL_FRONT);
    glEndList();
}
