// Drawing the passers-by in a real GL context: an empty model draws nothing, a model
// leaves front faces culled, both ways of sending a blended pose give the same pixels, and
// models outside the view skip their drawing but not their step.
#include "characters/character_draw.h"
#include "characters/md2_draw.h"
#include "characters/md2_model.h"
#include "characters/roster.h"
#include "world/texture_table.h"
#include "world/textures_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace test_character_draw {

std::string dataPath(const char* relative)
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    return std::string(dir ? dir : "build/data") + "/" + relative;
}

class CharacterDrawGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 1.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        gluLookAt(0, 1, 5, 0, 1, 0, 0, 1, 0);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }

    void TearDown() override
    {
        modelDrawPath = ModelDrawPath::SharedVertexArrays;
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopClientAttrib();
        glPopAttrib();
    }

    std::vector<GLubyte> readPixels()
    {
        glFinish();
        std::vector<GLubyte> pixels((size_t)viewport[2] * viewport[3] * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, viewport[2], viewport[3], GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    GLint viewport[4] = {0, 0, 0, 0};
};

TEST_F(CharacterDrawGl, EmptyModelMakesNoGlCallAndKeepsItsClock)
{
    Md2Model empty = {};
    glCullFace(GL_BACK);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    drawModel(empty);
    GLint culled = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &culled);
    EXPECT_EQ(culled, GL_BACK);
    EXPECT_FALSE(empty.animClockStarted);
    for (GLubyte b : readPixels()) ASSERT_EQ(b, 0);
}

TEST_F(CharacterDrawGl, BothDrawPathsGiveTheSamePixelsAndLeaveFrontFacesCulled)
{
    Md2Loader loader;
    Md2Model model = {};
    ASSERT_TRUE(loader.load(model, dataPath("models/suit.md2").c_str()));
    ASSERT_GT(model.animationCount, 1);
    model.currentAnimation = 1;
    model.currentFrame = model.animations[1].startFrame;
    ModelPose pose = advanceModel(model, 1000);
    pose.t = 0.4f;  // between two keyframes, where the blend matters
    ASSERT_TRUE(pose.drawn);

    // A textured, lit model as the game draws it, filling most of the window.
    unsigned int slots[TEXTURE_SLOT_COUNT] = {};
    loadTexture(slots, dataPath("textures/suit.bmp").c_str(), 34);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, slots[34]);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glScalef(0.05f, 0.05f, 0.05f);

    std::vector<GLubyte> shots[2];
    ModelDrawPath paths[2] = {ModelDrawPath::Immediate, ModelDrawPath::SharedVertexArrays};
    for (int i = 0; i < 2; ++i) {
        modelDrawPath = paths[i];
        glCullFace(GL_BACK);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glNormal3f(0, 0, 1);
        drawModelPose(model, pose);
        GLint culled = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &culled);
        EXPECT_EQ(culled, GL_FRONT);
        // The client arrays the start-up enables are as they were.
        EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
        shots[i] = readPixels();
    }
    size_t covered = 0;
    for (size_t k = 0; k < shots[0].size(); k += 3)
        covered += shots[0][k] || shots[0][k + 1] || shots[0][k + 2];
    EXPECT_GT(covered, 1000u);  // the model is really on screen
    EXPECT_TRUE(shots[0] == shots[1]);
    glDeleteTextures(1, &slots[34]);
}

TEST_F(CharacterDrawGl, ModelsBehindTheEyeSkipTheirDrawingButNotTheirStep)
{
    Character behind = {};
    behind.kind = &characterKinds[kindIndexByName("suit")];
    placeCharacter(behind, 0, 0, 20);  // the eye at z 5 looks towards -z
    Md2Loader loader;
    ASSERT_TRUE(loader.load(behind.model, dataPath("models/suit.md2").c_str()));
    Character ahead = behind;
    placeCharacter(ahead, 0, 0, -5);

    beginCharacterFrame();
    glCullFace(GL_BACK);  // as the street leaves it for the next frame
    CharacterDraw d1 = stepCharacter(behind, playerCamera, gameState, 1000);
    drawCharacter(behind, d1);
    EXPECT_EQ(charactersOutsideView(), 1);
    // The cone drawn next is culled as it would be after the model's own draw.
    GLint culled = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &culled);
    EXPECT_EQ(culled, GL_FRONT);
    CharacterDraw d2 = stepCharacter(ahead, playerCamera, gameState, 1000);
    drawCharacter(ahead, d2);
    EXPECT_EQ(charactersOutsideView(), 1);
    EXPECT_TRUE(behind.model.animClockStarted);  // its clock runs all the same

    // A blend far past its keyframe (a long stall) flings vertices out of the stored
    // frames' bound: such a pose is not skipped on the strength of that bound.
    CharacterDraw flung = d1;
    flung.pose.t = 1000.0f;
    drawCharacter(behind, flung);
    EXPECT_EQ(charactersOutsideView(), 1);
    flung.pose.t = 1.0f;
    drawCharacter(behind, flung);
    EXPECT_EQ(charactersOutsideView(), 2);
}

}  // namespace test_character_draw
