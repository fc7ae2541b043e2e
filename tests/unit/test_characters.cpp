// The passers-by without a window: keyframe timing, the roster and start spots, and one
// frame of behaviour (turning, walking box, push-back, nearness, flyers, score).
#include "characters/character_step.h"
#include "characters/md2_animation.h"
#include "characters/md2_mesh.h"
#include "characters/roster.h"
#include "world/texture_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace test_characters {

// A model of `frames` frames with one vertex at (frame, 0, 0) each, and the animations given.
Md2Model makeModel(int frames, std::vector<std::pair<int, int>> anims)
{
    Md2Model m = {};
    for (int f = 0; f < frames; ++f) {
        Md2Frame fr = {};
        fr.vertexCount = 1;
        fr.vertices.push_back(Vector3((float)f, 0, 0));
        m.frames.edit().push_back(fr);
    }
    m.frameCount = frames;
    for (auto& a : anims) {
        Md2Animation an = {};
        std::strcpy(an.name, "walk");
        an.startFrame = a.first;
        an.endFrame = a.second;
        m.animations.push_back(an);
    }
    m.animationCount = (int32_t)m.animations.size();
    return m;
}

// The frames shown by draws every 200 ms from a first draw at `start`.
std::vector<int> framesShown(Md2Model& m, int draws, uint32_t start)
{
    std::vector<int> shown;
    for (int i = 0; i < draws; ++i) {
        ModelPose p = advanceModel(m, start + 200u * i);
        shown.push_back(p.fromFrame);
    }
    return shown;
}

TEST(Animation, RunsFromStartToEndMinusOneAndWrapsBack)
{
    Md2Model a = makeModel(46, {{0, 40}, {40, 46}});
    a.currentAnimation = 1;
    a.currentFrame = 40;
    EXPECT_EQ(framesShown(a, 8, 5000), (std::vector<int>{40, 40, 41, 42, 43, 44, 45, 40}));

    Md2Model b = makeModel(46, {{0, 40}});
    b.currentFrame = 38;
    std::vector<int> shown = framesShown(b, 4, 7000);
    EXPECT_EQ(shown, (std::vector<int>{38, 38, 39, 0}));
}

TEST(Animation, FirstDrawStartsTheClockThenTFollowsTheTimeSinceTheLastChange)
{
    Md2Model m = makeModel(10, {{0, 10}});
    // A clock far from zero: the first draw must not extrapolate from clock zero.
    ModelPose first = advanceModel(m, 123456);
    EXPECT_TRUE(first.drawn);
    EXPECT_FLOAT_EQ(first.t, 0.0f);
    EXPECT_EQ(m.currentFrame, 0);

    ModelPose half = advanceModel(m, 123456 + 100);
    EXPECT_FLOAT_EQ(half.t, 0.5f);
    EXPECT_EQ(half.fromFrame, 0);
    EXPECT_EQ(half.toFrame, 1);
    int32_t vertex0 = 0;
    float out[3];
    interpolatePose(m, half, &vertex0, 1, out);
    EXPECT_FLOAT_EQ(out[0], 0.5f);  // halfway between frame 0 and frame 1

    // 250 ms after the change: the old pair blended at 1.25, then the frame moves on once.
    ModelPose late = advanceModel(m, 123456 + 250);
    EXPECT_FLOAT_EQ(late.t, 1.25f);
    EXPECT_EQ(late.fromFrame, 0);
    EXPECT_EQ(m.currentFrame, 1);
    EXPECT_FLOAT_EQ(m.animLastTime, 123456.0f + 250);
    ModelPose after = advanceModel(m, 123456 + 300);
    EXPECT_FLOAT_EQ(after.t, 0.25f);
    EXPECT_EQ(after.fromFrame, 1);
}

TEST(Animation, EmptyOrBrokenModelsAreNotDrawnAndKeepTheirClock)
{
    Md2Model empty = {};
    EXPECT_FALSE(advanceModel(empty, 1000).drawn);
    EXPECT_FALSE(empty.animClockStarted);

    // Frame numbers in the names put the animation's start past the last frame.
    Md2Model past = makeModel(3, {{7, 2}});
    past.currentFrame = 7;
    EXPECT_FALSE(advanceModel(past, 1000).drawn);
    EXPECT_FALSE(past.animClockStarted);
}

TEST(Animation, ABlendStaysWithinItsReachOfTheStoredFramesBound)
{
    // The farthest a blend can go: two keyframes at opposite ends of the bound (radius 1).
    Md2Model m = makeModel(2, {{0, 2}});
    m.frames.edit()[0].vertices[0] = Vector3(1, 0, 0);
    m.frames.edit()[1].vertices[0] = Vector3(-1, 0, 0);
    const int32_t vertex0 = 0;
    for (float t : {-0.5f, 0.0f, 0.3f, 1.0f, 1.1f, 3.0f, 250.0f}) {
        ModelPose pose = {true, 0, 1, t};
        float out[3];
        interpolatePose(m, pose, &vertex0, 1, out);
        float reach = poseReach(pose);
        EXPECT_LE(std::fabs(out[0]), reach * 1.0001f) << "t = " << t;
        EXPECT_GE(reach, 1.0f);
        // Outside 0..1 the figure is no wider than it must be: this blend reaches it.
        if (t < 0 || t > 1) {
            EXPECT_NEAR(std::fabs(out[0]), reach, 1e-3f * reach) << "t = " << t;
        }
    }
}

TEST(DrawMesh, JoinsCornersThatShareVertexAndTextureCoordinate)
{
    Md2Model m = makeModel(2, {});
    for (auto& f : m.frames.edit()) f.vertices.assign(4, Vector3(1, 2, 2));
    m.frames.edit()[1].vertices[3] = Vector3(0, 0, 6);
    m.frames.edit()[0].texCoords = {{0, 0}, {1, 0}, {0, 1}};
    // Two triangles share vertices 0 and 2; vertex 2 appears with two texture coordinates.
    m.frames.edit()[0].faces = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 1, 2}}};
    buildDrawMesh(m);
    const Md2DrawMesh& mesh = m.drawMesh();
    ASSERT_EQ(mesh.cornerVertex.size(), 5u);  // (0,0) (1,1) (2,2) (2,1) (3,2)
    ASSERT_EQ(mesh.indices.size(), 6u);
    EXPECT_EQ(mesh.indices[0], mesh.indices[3]);
    EXPECT_NE(mesh.indices[2], mesh.indices[4]);
    for (size_t k = 0; k < mesh.indices.size(); ++k) {
        const Md2Face& face = m.frames[0].faces[k / 3];
        uint32_t joined = mesh.indices[k];
        EXPECT_EQ(mesh.cornerVertex[joined], face.vertexIndex[k % 3]);
        EXPECT_FLOAT_EQ(mesh.texCoords[2 * joined],
                        m.frames[0].texCoords[face.texCoordIndex[k % 3]].u);
    }
    EXPECT_FLOAT_EQ(mesh.boundRadius, 6.0f);  // the farthest vertex of any frame
    EXPECT_FALSE(mesh.tooLarge);

    // Past what 16-bit indices reach, the mesh is given up (the model is drawn corner by
    // corner) but its bound is still known.
    Md2Model big = makeModel(1, {});
    const int faces = 22000;
    big.frames.edit()[0].vertices.assign(3 * faces, Vector3(0, 3, 4));
    big.frames.edit()[0].texCoords = {{0, 0}};
    for (int f = 0; f < faces; ++f)
        big.frames.edit()[0].faces.push_back({{3 * f, 3 * f + 1, 3 * f + 2}, {0, 0, 0}});
    buildDrawMesh(big);
    EXPECT_TRUE(big.drawMesh().tooLarge);
    EXPECT_TRUE(big.drawMesh().indices.empty());
    EXPECT_FLOAT_EQ(big.drawMesh().boundRadius, 5.0f);
}

TEST(Roster, RandomSequenceAndStartSpotsAreTheSameEveryRun)
{
    resetRandomInt();
    EXPECT_EQ(randomInt(), 41);
    EXPECT_EQ(randomInt(), 18467);
    EXPECT_EQ(randomInt(), 6334);
    EXPECT_EQ(randomInt(), 26500);

    for (int run = 0; run < 2; ++run) {
        resetRosterForTesting();
        resetRandomInt();
        placeAllCharacters();
        const Character& civi1 = roster[rosterIndexOf(kindIndexByName("civi"), 1)];
        const Character& civi2 = roster[rosterIndexOf(kindIndexByName("civi"), 2)];
        const Character& cartman1 = roster[rosterIndexOf(kindIndexByName("cartman"), 1)];
        EXPECT_NEAR(civi1.position.x, -0.7665f, 1e-4);
        EXPECT_NEAR(civi1.position.z, -199.8633f, 1e-4);
        EXPECT_FLOAT_EQ(civi1.position.y, 1.2f);
        EXPECT_NEAR(civi2.position.x, 3.25f, 1e-4);
        EXPECT_NEAR(civi2.position.z, -178.8867f, 1e-4);
        EXPECT_NEAR(cartman1.position.x, 2.232f, 1e-4);
        EXPECT_FLOAT_EQ(cartman1.position.y, 0.7f);
        EXPECT_NEAR(cartman1.position.z, -110.1267f, 1e-4);
    }
}

TEST(Roster, FortyNineCharactersInKindOrderAllPlacedReadyInsideTheBox)
{
    resetRosterForTesting();
    resetRandomInt();
    placeAllCharacters();
    int witchblades = 0;
    const CharacterKind* previous = roster[0].kind;
    for (const Character& c : roster) {
        ASSERT_NE(c.kind, nullptr);
        EXPECT_GE(c.kind, previous);  // kinds never go back in roster order
        previous = c.kind;
        witchblades += std::strcmp(c.kind->name, "witchblade") == 0;
        EXPECT_TRUE(c.isReady);
        EXPECT_FALSE(c.isNear);
        EXPECT_EQ(c.turnCountdown, 10);
        EXPECT_EQ(c.turnStep, 1);
        EXPECT_EQ(c.heading, c.kind->startHeading);
        EXPECT_EQ(c.wantedAnimation, c.kind->animationIndex);
        // Placed inside the walking box, never on its edge.
        EXPECT_GT(c.position.x, WALK_BOX_MIN_X);
        EXPECT_LT(c.position.x, WALK_BOX_MAX_X);
        EXPECT_GT(c.position.z, WALK_BOX_MIN_Z);
        EXPECT_LT(c.position.z, WALK_BOX_MAX_Z);
        EXPECT_NE(c.position.z, 0.0f);  // every character got its pair of numbers
    }
    EXPECT_EQ(witchblades, 1);
    EXPECT_EQ(rosterIndexOf(kindIndexByName("rabbit"), 4), ROSTER_SIZE - 1);
}

// A placed character of a kind, far from the eye unless moved.
Character placed(const char* kind, float x, float z)
{
    Character c = {};
    c.kind = &characterKinds[kindIndexByName(kind)];
    placeCharacter(c, x, c.kind->height, z);
    return c;
}

Camera eyeAt(float x, float y, float z)
{
    Camera cam;
    cam.position = Vector3(x, y, z);
    cam.view = Vector3(x - 1, y, z - 1);
    cam.up = Vector3(0, 1, 0);
    return cam;
}

GameState playing()
{
    GameState g = initialGameState();
    g.menuMode = false;
    return g;
}

TEST(Behaviour, StepVectorFollowsTheHeading)
{
    Vector3 east = stepVector(0, 0.05f);
    EXPECT_FLOAT_EQ(east.x, 0.05f);
    EXPECT_FLOAT_EQ(east.z, 0.0f);
    Vector3 along = stepVector(90, 0.05f);
    EXPECT_NEAR(along.x, 0.0f, 1e-9);
    EXPECT_FLOAT_EQ(along.z, -0.05f);
}

TEST(Behaviour, TurningKindsDriftOneDegreeAndPickANewDirectionEveryElevenFrames)
{
    resetRandomInt();
    Character c = placed("suit", 0, -100);
    Camera cam = eyeAt(18, 1.75f, -60);
    GameState g = playing();
    for (int frame = 0; frame < 11; ++frame) stepCharacter(c, cam, g, 0);
    // Ten frames counting down with the start step of +1, then the first draw.
    EXPECT_EQ(c.turnCountdown, 10);
    int first = 41;  // the first number of the sequence is odd: clockwise from then on
    EXPECT_EQ(c.turnClockwise, first % 2 != 0);
    EXPECT_EQ(c.turnStep, 359);
    EXPECT_FLOAT_EQ(c.heading, 270 + 10 - 1);
    EXPECT_EQ(std::fmod(c.heading, 1.0f), 0.0f);
}

TEST(Behaviour, WalkingBoxTurnsACharacterBackOneStepBehindWhereItStarted)
{
    Character c = placed("garfield", 10.98f, -100);
    c.heading = 0;
    c.speed = 0.05f;
    Camera cam = eyeAt(-15, 1.75f, -60);
    GameState g = playing();
    stepCharacter(c, cam, g, 0);
    EXPECT_NEAR(c.position.x, 10.93f, 1e-5);
    EXPECT_FLOAT_EQ(c.heading, 180.0f);

    // Garfield never turns on its own: heading 90 until the far wall, then 270, and the
    // heading grows by 180 at each wall without being wrapped.
    Character gar = placed("garfield", 0, -219.95f);
    EXPECT_FLOAT_EQ(gar.heading, 90.0f);
    stepCharacter(gar, cam, g, 0);
    EXPECT_FLOAT_EQ(gar.heading, 270.0f);
    for (int i = 0; i < 2300; ++i) stepCharacter(gar, cam, g, 0);
    EXPECT_FLOAT_EQ(gar.heading, 450.0f);
}

TEST(Behaviour, PushBackBelowOnePointEightInThreeDimensions)
{
    struct Case {
        float dx, dy;
        bool pushed;
    } cases[] = {{1.7f, 0, true}, {1.8f, 0, false}, {1.0f, 1.4f, true}, {1.0f, 1.6f, false}};
    for (const Case& k : cases) {
        Character c = placed("suit", 0, -100);
        c.speed = 1e-6f;  // keep the character (almost) where it is for the test
        Camera cam = eyeAt(c.position.x + k.dx, c.position.y + k.dy, -100);
        Vector3 viewBefore = cam.view;
        GameState g = playing();
        stepCharacter(c, cam, g, 0);
        EXPECT_EQ(g.bumpSound, k.pushed) << k.dx << "," << k.dy;
        if (k.pushed) {
            // Three times as far, straight away; the view moves along; heights stay.
            EXPECT_NEAR(cam.position.x - c.position.x, 3 * k.dx, 1e-4);
            EXPECT_NEAR(cam.position.z, -100.0f, 1e-4);
            EXPECT_NEAR(cam.view.x - viewBefore.x, 2 * k.dx, 1e-4);
            EXPECT_FLOAT_EQ(cam.position.y, c.position.y + k.dy);
        } else {
            EXPECT_FLOAT_EQ(cam.position.x, c.position.x + k.dx);
        }
    }
}

TEST(Behaviour, OneClickScoresOnlyForTheEarlierOfTwoNearReadyCharacters)
{
    Character first = placed("suit", 0, -100);
    Character second = placed("witchblade", 0.5f, -100);
    Camera cam = eyeAt(0, 1.75f, -97.5f);
    GameState g = playing();
    g.flyerClick = true;
    CharacterDraw d1 = stepCharacter(first, cam, g, 20000);
    CharacterDraw d2 = stepCharacter(second, cam, g, 20000);
    EXPECT_TRUE(first.isNear);
    EXPECT_TRUE(second.isNear);
    EXPECT_EQ(g.score, 3);
    EXPECT_FALSE(g.flyerClick);
    EXPECT_FALSE(first.isReady);
    EXPECT_TRUE(second.isReady);
    EXPECT_EQ(d1.markerSlot, MARKER_RED_SLOT);
    EXPECT_EQ(d2.markerSlot, MARKER_GREEN_SLOT);
}

TEST(Behaviour, RedForFifteenSecondsThenGreenAgainAndTheScoreWrapsAtAThousand)
{
    Character c = placed("witchblade", 0, -100);
    Camera cam = eyeAt(2.5f, 1.75f, -100);  // beside its path: near, never bumped
    GameState g = playing();
    g.score = 995;
    g.flyerClick = true;
    stepCharacter(c, cam, g, 1000);
    EXPECT_EQ(g.score, 15);

    // Clicks within the pause are ignored and the cone stays red.
    g.flyerClick = true;
    CharacterDraw during = stepCharacter(c, cam, g, 16000);
    EXPECT_EQ(during.markerSlot, MARKER_RED_SLOT);
    EXPECT_TRUE(g.flyerClick);
    EXPECT_EQ(g.score, 15);

    // Left alone past the pause it stays unready: only a near frame makes it ready.
    Camera away = eyeAt(15, 1.75f, -60);
    g.flyerClick = false;
    stepCharacter(c, away, g, 30000);
    EXPECT_FALSE(c.isReady);
    g.flyerClick = true;
    CharacterDraw after = stepCharacter(c, cam, g, 16001);
    EXPECT_EQ(g.score, 35);  // ready again and takes the flyer in the same frame
    EXPECT_EQ(after.markerSlot, MARKER_RED_SLOT);
}

TEST(Behaviour, MessiahConeFloatsFourUnitsAheadAtItsMarkerHeight)
{
    Character m = placed("messiah", 0, -100);
    m.heading = 90;
    m.turnStep = 0;
    Camera cam = eyeAt(0, 1.75f, -103.5f);
    GameState g = playing();
    CharacterDraw d = stepCharacter(m, cam, g, 0);
    ASSERT_TRUE(d.markerShown);
    EXPECT_FLOAT_EQ(d.markerAt.y, 2.5f);
    EXPECT_NEAR(d.markerAt.z, -104.0f, 1e-4);
    EXPECT_NEAR(d.markerAt.x, 0.0f, 1e-4);
    // The model is drawn where it walks to: one step ahead.
    EXPECT_NEAR(d.modelAt.z, -100.2f, 1e-4);
}

TEST(Behaviour, ModelWithoutItsAnimationIsNotDrawnButTheCharacterStillWalks)
{
    Character c = placed("civi", 0, -100);   // civi plays animation 7
    c.model = makeModel(4, {{1, 2}, {2, 3}});
    Camera cam = eyeAt(0, 1.75f, -102);
    GameState g = playing();
    g.flyerClick = true;
    Vector3 before = c.position;
    CharacterDraw d = stepCharacter(c, cam, g, 0);
    EXPECT_FALSE(d.modelShown);
    EXPECT_EQ(c.model.currentAnimation, 0);
    EXPECT_NE(c.position.z, before.z);
    EXPECT_EQ(g.score, 1);

    // With the animation present the first frame switches to it at its start frame.
    Character s = placed("suit", 0, -100);
    s.model = makeModel(4, {{0, 2}, {2, 3}});
    stepCharacter(s, cam, g, 0);
    EXPECT_EQ(s.model.currentAnimation, 1);
    EXPECT_EQ(s.model.currentFrame, 2);
}

}  // namespace test_characters
