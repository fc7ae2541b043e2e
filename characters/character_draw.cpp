// Drawing the passers-by: model transform and skin, the marker cone, and skipping the
// GL work of models the eye cannot see.
// Depends on: character_draw.h, md2_draw.h, md2_mesh.h, textures_gl.h, OpenGL, GLUT.
#include "characters/character_draw.h"

#include "characters/md2_draw.h"
#include "characters/md2_mesh.h"
#include "world/textures_gl.h"

#include <GL/freeglut.h>
#include <cmath>

namespace {

const int PLANE_COUNT = 6;
const float MARKER_CONE_TILT = 90.0f;   // turns the cone's axis from +z to -y: tip down
const float MARKER_TEX_CENTRE = 0.5f;   // the cone takes the colour of its picture's centre

float viewPlanes[PLANE_COUNT][4];
bool viewPlanesKnown = false;
int outsideView = 0;

// The six planes of the view volume from projection x modelview, each normalised so that
// a signed distance can be compared with a radius.
void extractViewPlanes()
{
    float p[16], m[16], c[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            float s = 0;
            for (int k = 0; k < 4; ++k) s += p[k * 4 + row] * m[col * 4 + k];
            c[col * 4 + row] = s;
        }
    auto rowOf = [&](int r, int i) { return c[i * 4 + r]; };
    for (int i = 0; i < PLANE_COUNT; ++i) {
        int r = i / 2;
        float sign = (i % 2 == 0) ? 1.0f : -1.0f;
        float n[4];
        for (int k = 0; k < 4; ++k) n[k] = rowOf(3, k) + sign * rowOf(r, k);
        float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (len <= 0) len = 1;
        for (int k = 0; k < 4; ++k) viewPlanes[i][k] = n[k] / len;
    }
    viewPlanesKnown = true;
}

bool sphereOutsideView(const Vector3& centre, float radius)
{
    if (!viewPlanesKnown) return false;
    for (const float* pl : viewPlanes) {
        float d = pl[0] * centre.x + pl[1] * centre.y + pl[2] * centre.z + pl[3];
        if (d < -radius) return true;
    }
    return false;
}

}  // namespace

void beginCharacterFrame()
{
    extractViewPlanes();
    outsideView = 0;
}

int charactersOutsideView() { return outsideView; }

void drawCharacter(Character& c, const CharacterDraw& draw)
{
    if (draw.modelShown && draw.pose.drawn) {
        buildDrawMesh(c.model);
        float radius = c.model.drawMesh().boundRadius * poseReach(draw.pose) * draw.scale;
        if (sphereOutsideView(draw.modelAt, radius)) {
            // The model's draw would have left the cull face at the models' setting; the
            // cone after it, in view or not, is drawn with that setting as well.
            glCullFace(GL_FRONT);
            ++outsideView;
        } else {
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glTranslatef(draw.modelAt.x, draw.modelAt.y, draw.modelAt.z);
            glRotatef(draw.heading, 0.0f, 1.0f, 0.0f);
            glScalef(draw.scale, draw.scale, draw.scale);
            glBindTexture(GL_TEXTURE_2D, slotTextures[draw.textureSlot]);
            drawModelPose(c.model, draw.pose);
            glPopMatrix();
        }
    }
    if (draw.markerShown) {
        glPushMatrix();
        glTranslatef(draw.markerAt.x, draw.markerAt.y, draw.markerAt.z);
        glRotatef(MARKER_CONE_TILT, 1.0f, 0.0f, 0.0f);
        glBindTexture(GL_TEXTURE_2D, slotTextures[draw.markerSlot]);
        // The cone sends no texture coordinates: with the array off it takes the one set
        // here, so its colour is the plain colour of its picture.
        GLboolean texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoord2f(MARKER_TEX_CENTRE, MARKER_TEX_CENTRE);
        glutSolidCone(MARKER_BASE_RADIUS, MARKER_HEIGHT, MARKER_SLICES, MARKER_STACKS);
        if (texCoordArray) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glPopMatrix();
    }
}
