// Four positional lights fixed to the eye and the one material of the street and characters.
// Depends on: lighting_gl.h, OpenGL.
#include "world/lighting_gl.h"

#include <GL/gl.h>

namespace {

const int LIGHT_COUNT = 4;
const GLenum LIGHT_IDS[LIGHT_COUNT] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};

const GLfloat LIGHT_AMBIENT[4] = {0.8f, 0.8f, 0.8f, 1.0f};
const GLfloat LIGHT_DIFFUSE[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat LIGHT_SPECULAR[4] = {0.0f, 0.0f, 0.0f, 0.1f};
// Given in eye space (w = 1, positional): 60 above the eye, two of them 60 to the right,
// two 61 behind.
const GLfloat LIGHT_POSITIONS[LIGHT_COUNT][4] = {
    {0.0f, 60.0f, 0.0f, 1.0f},
    {60.0f, 60.0f, 0.0f, 1.0f},
    {0.0f, 60.0f, 61.0f, 1.0f},
    {60.0f, 60.0f, 61.0f, 1.0f},
};

}  // namespace

// Ambient alone sums to 4 x 0.8 x 0.8 + 0.2 x 0.8 = 2.72: every lit surface clamps to white.
const Material sceneMaterial = {
    {0.8f, 0.8f, 0.8f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f},
    {0.0f, 0.0f, 0.0f, 1.0f},
    0.0f,
};

void setupLighting()
{
    for (int i = 0; i < LIGHT_COUNT; ++i) {
        glLightfv(LIGHT_IDS[i], GL_AMBIENT, LIGHT_AMBIENT);
        glLightfv(LIGHT_IDS[i], GL_DIFFUSE, LIGHT_DIFFUSE);
        glLightfv(LIGHT_IDS[i], GL_SPECULAR, LIGHT_SPECULAR);
        glLightfv(LIGHT_IDS[i], GL_POSITION, LIGHT_POSITIONS[i]);
    }
    glEnable(GL_LIGHTING);
    for (int i = 0; i < LIGHT_COUNT; ++i) glEnable(LIGHT_IDS[i]);
}

void applySceneMaterial(unsigned int faces)
{
    glMaterialfv(faces, GL_AMBIENT, sceneMaterial.ambient);
    glMaterialfv(faces, GL_DIFFUSE, sceneMaterial.diffuse);
    glMaterialfv(faces, GL_SPECULAR, sceneMaterial.specular);
    glMaterialfv(faces, GL_SHININESS, &sceneMaterial.shininess);
}
