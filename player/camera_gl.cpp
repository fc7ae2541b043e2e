// Loads the player's view transform into GL.
// Depends on: camera.h, GLU.
#include "player/camera_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

void applyLookAt(const Camera& cam)
{
    glLoadIdentity();
    gluLookAt(cam.position.x, cam.position.y, cam.position.z, cam.view.x, cam.view.y, cam.view.z,
              cam.up.x, cam.up.y, cam.up.z);
}
