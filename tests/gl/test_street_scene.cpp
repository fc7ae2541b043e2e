// The street display list, the lights and the material, checked in a real GL context.
#include "world/lighting_gl.h"
#include "world/street_draw.h"
#include "world/street_table.h"
#include "world/textures_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace test_street_scene {

GLuint makeTexture(GLubyte r, GLubyte g, GLubyte b)
{
    const GLubyte texel[3] = {r, g, b};
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, (GLuint)bound);
    return name;
}

class StreetSceneGl : public ::testing::Test {
protected:
    // Built once per process: a second build would overflow the vertex list.
    static void SetUpTestSuite()
    {
        if (streetSceneList != 0) return;
        // Distinct names in every slot, so the list's last bind can be told apart.
        for (int i = 0; i < TEXTURE_SLOT_COUNT; ++i)
            slotTextures[i] = makeTexture((GLubyte)(i * 5), 0, 0);
        lastSlotName = slotTextures[TEXTURE_SLOT_COUNT - 1];
        buildStreetScene();
    }

    static GLuint lastSlotName;

    void SetUp() override
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glGetIntegerv(GL_VIEWPORT, viewport);
    }

    void TearDown() override
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }

    // Draws the street unlit and untextured in white from eye towards target, clipping at
    // farClip, and tells whether the centre pixel was covered.
    bool centreCovered(Vector3 eye, Vector3 target, double farClip, Vector3 up = Vector3(0, 1, 0))
    {
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glColor3f(1, 1, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(10.0, 1.0, 0.5, farClip);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
        glCallList(streetSceneList);
        return centrePixel()[0] > 128;
    }

    const GLubyte* centrePixel()
    {
        glFinish();
        glReadBuffer(GL_BACK);
        glReadPixels(viewport[0] + viewport[2] / 2, viewport[1] + viewport[3] / 2, 1, 1, GL_RGB,
                     GL_UNSIGNED_BYTE, pixel);
        return pixel;
    }

    GLint viewport[4] = {0, 0, 0, 0};
    GLubyte pixel[3] = {0, 0, 0};
};

GLuint StreetSceneGl::lastSlotName = 0;

TEST_F(StreetSceneGl, BuildGivesAListAndRecordsEveryCorner)
{
    ASSERT_NE(streetSceneList, 0u);
    EXPECT_TRUE(glIsList(streetSceneList));
    ASSERT_EQ(sceneCorners.count, 888);
    const Vector3* first = &streetTable[0].c0;
    const Vector3* last = &streetTable[STREET_QUAD_COUNT - 1].c0;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(sceneCorners.vertices[k].x, first[k].x);
        EXPECT_EQ(sceneCorners.vertices[k].z, first[k].z);
        EXPECT_EQ(sceneCorners.vertices[884 + k].y, last[k].y);
        EXPECT_EQ(sceneCorners.vertices[884 + k].z, last[k].z);
    }
}

TEST_F(StreetSceneGl, CallingTheListLeavesBackFacesCulledAndTheLastPictureBound)
{
    const GLenum before[] = {GL_FRONT, GL_FRONT_AND_BACK, GL_BACK};
    for (GLenum mode : before) {
        glCullFace(mode);
        glBindTexture(GL_TEXTURE_2D, 0);
        glCallList(streetSceneList);
        GLint cull = 0, bound = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &cull);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(cull, GL_BACK);
        EXPECT_EQ((GLuint)bound, lastSlotName);
        EXPECT_NE(lastSlotName, 0u);
    }
    // The list ends with the scene material on both faces.
    GLfloat front[4], back[4];
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, front);
    glGetMaterialfv(GL_BACK, GL_AMBIENT, back);
    EXPECT_FLOAT_EQ(front[0], 0.8f);
    EXPECT_FLOAT_EQ(back[0], 0.8f);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(StreetSceneGl, SkyBoxIsSeenFromInsideOnly)
{
    struct Side {
        Vector3 inside, outside, wall, up;
    };
    const Side sides[] = {
        {{400, 100, -100}, {600, 100, -100}, {500, 100, -100}, {0, 1, 0}},   // north
        {{100, 100, 200}, {100, 100, 400}, {100, 100, 300}, {0, 1, 0}},      // east
        {{-200, 100, -100}, {-400, 100, -100}, {-300, 100, -100}, {0, 1, 0}}, // south
        {{100, 100, -400}, {100, 100, -600}, {100, 100, -500}, {0, 1, 0}},   // west
        {{100, 100, -100}, {100, 300, -100}, {100, 200, -100}, {0, 0, -1}},  // top
    };
    for (const Side& s : sides) {
        EXPECT_TRUE(centreCovered(s.inside, s.wall, 150, s.up)) << s.wall.x << "," << s.wall.z;
        EXPECT_FALSE(centreCovered(s.outside, s.wall, 150, s.up)) << s.wall.x << "," << s.wall.z;
    }
}

TEST_F(StreetSceneGl, ColumnIsSeenFromOutsideOnly)
{
    // The column at x -6..-4, z -80..-78, looked at along each axis.
    const Vector3 centre(-5, 4, -79);
    const Vector3 away[] = {{5, 0, 0}, {-5, 0, 0}, {0, 0, 5}, {0, 0, -5}};
    for (const Vector3& a : away) {
        EXPECT_TRUE(centreCovered(centre + a, centre, 10)) << a.x << "," << a.z;
        EXPECT_FALSE(centreCovered(centre, centre - a, 2.5)) << a.x << "," << a.z;
    }
}

TEST_F(StreetSceneGl, StandBackWallIsSeenFromBothSides)
{
    const Vector3 onWall(-6, 4, -97);
    EXPECT_TRUE(centreCovered(Vector3(-3, 4, -97), onWall, 5));
    EXPECT_TRUE(centreCovered(Vector3(-9, 4, -97), onWall, 5));
}

TEST_F(StreetSceneGl, LightsAreSetAsGiven)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setupLighting();
    const GLfloat positions[4][4] = {{0, 60, 0, 1}, {60, 60, 0, 1}, {0, 60, 61, 1}, {60, 60, 61, 1}};
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    for (int i = 0; i < 4; ++i) {
        GLenum light = GL_LIGHT0 + i;
        EXPECT_TRUE(glIsEnabled(light));
        GLfloat v[4];
        glGetLightfv(light, GL_AMBIENT, v);
        EXPECT_FLOAT_EQ(v[0], 0.8f); EXPECT_FLOAT_EQ(v[2], 0.8f); EXPECT_FLOAT_EQ(v[3], 1);
        glGetLightfv(light, GL_DIFFUSE, v);
        EXPECT_FLOAT_EQ(v[1], 1); EXPECT_FLOAT_EQ(v[3], 1);
        glGetLightfv(light, GL_SPECULAR, v);
        EXPECT_FLOAT_EQ(v[0], 0); EXPECT_FLOAT_EQ(v[2], 0); EXPECT_FLOAT_EQ(v[3], 0.1f);
        glGetLightfv(light, GL_POSITION, v);
        for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(v[k], positions[i][k]) << i << "/" << k;
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHT4));

    applySceneMaterial(GL_FRONT);
    GLfloat m[4], shininess = -1;
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, m);
    EXPECT_FLOAT_EQ(m[0], 1);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, m);
    EXPECT_FLOAT_EQ(m[0], 0); EXPECT_FLOAT_EQ(m[3], 1);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(shininess, 0.0f);
}

TEST_F(StreetSceneGl, SceneMaterialShowsTexelsAtFullBrightnessFacingAwayFromTheLights)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setupLighting();
    GLuint picture = makeTexture(90, 140, 200);
    glBindTexture(GL_TEXTURE_2D, picture);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    auto drawQuad = [] {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glNormal3f(0, -1, 0);  // the lights are all above
        glTexCoord2f(0, 0); glVertex3f(-1, -1, 0);
        glTexCoord2f(1, 0); glVertex3f(1, -1, 0);
        glTexCoord2f(1, 1); glVertex3f(1, 1, 0);
        glTexCoord2f(0, 1); glVertex3f(-1, 1, 0);
        glEnd();
    };

    applySceneMaterial(GL_FRONT_AND_BACK);
    drawQuad();
    const GLubyte* lit = centrePixel();
    EXPECT_NEAR(lit[0], 90, 2);
    EXPECT_NEAR(lit[1], 140, 2);
    EXPECT_NEAR(lit[2], 200, 2);

    // GL's own material leaves the same quad visibly darker (0.68 of the texel).
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    drawQuad();
    const GLubyte* dim = centrePixel();
    EXPECT_NEAR(dim[0], 61, 3);
    EXPECT_NEAR(dim[2], 136, 3);
    glDeleteTextures(1, &picture);
}

}  // namespace test_street_scene
