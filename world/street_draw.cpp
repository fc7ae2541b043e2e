// The street drawn once into a display list, its quad corners kept for collision.
// Depends on: street_draw.h, street_table.h, textures_gl.h, lighting_gl.h, OpenGL.
#include "world/street_draw.h"

#include "world/lighting_gl.h"
#include "world/street_table.h"
#include "world/textures_gl.h"

#include <GL/gl.h>

unsigned int streetSceneList;

namespace {

void drawRow(const StreetQuad& q)
{
    drawTexturedQuad(q.slot, q.sRepeat, q.tRepeat, q.normal, q.c0, q.c1, q.c2, q.c3);
}

}  // namespace

void drawTexturedQuad(int slot, float sRepeat, float tRepeat, Vector3 normal,
                      Vector3 c0, Vector3 c1, Vector3 c2, Vector3 c3)
{
    // Recorded first: a list that cannot hold the quad stops the program before it is drawn.
    recordQuadCorners(sceneCorners, c0, c1, c2, c3);

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
    applySceneMaterial(GL_FRONT_AND_BACK);
    drawRow(streetTable[0]);
    applySceneMaterial(GL_FRONT);
    for (int row = 1; row < STREET_QUAD_COUNT; ++row) drawRow(streetTable[row]);
    applySceneMaterial(GL_FRONT);
    glEndList();
}
