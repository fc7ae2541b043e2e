// The reshape callback and the window-pixel projection shared by the menu and the overlay.
// Depends on: startup.h, GL/GLU.
#include "app/startup.h"

#include <GL/gl.h>
#include <GL/glu.h>

void reshapeWindow(int width, int height)
{
    windowWidth = (float)width;
    windowHeight = (float)height;
    if (height == 0) height = 1;
    float aspect = (float)(width * 1.0 / height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(FIELD_OF_VIEW_DEGREES, aspect, NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void beginWindowPixels()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, windowWidth, windowHeight, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
}

void endWindowPixels()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
