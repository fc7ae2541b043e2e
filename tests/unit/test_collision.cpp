// Collision of the eye with the street: the plane, polygon and edge tests, the push, and
// whole passes over the real street.
#include "player/camera.h"
#include "player/collision.h"
#include "world/street_table.h"

#include <gtest/gtest.h>

namespace test_collision {

const float TOL = 1e-5f;

const SceneVertices& street()
{
    static SceneVertices list;
    if (list.count == 0) recordStreetTable(list);
    return list;
}

Camera eyeAt(float x, float y, float z, Vector3 view = Vector3(0, 0, -300))
{
    Camera c{};
    c.position = Vector3(x, y, z);
    c.view = view;
    c.up = Vector3(0, 1, 0);
    return c;
}

void pass(Camera& c) { resolveSceneCollision(c, street().vertices, street().count); }

void expectAt(const Camera& c, float x, float y, float z)
{
    EXPECT_NEAR(c.position.x, x, TOL);
    EXPECT_NEAR(c.position.y, y, TOL);
    EXPECT_NEAR(c.position.z, z, TOL);
}

TEST(SphereSide, StrictAtTheRadiusAndSignedAlongTheNormal)
{
    const Vector3 up(0, 1, 0), origin(0, 0, 0);
    float d = 0;
    EXPECT_EQ(sphereSide(Vector3(5, 2, 7), up, origin, 2.0f, d), InFront);
    EXPECT_EQ(d, 2.0f);
    EXPECT_EQ(sphereSide(Vector3(5, -2, 7), up, origin, 2.0f, d), Behind);
    EXPECT_EQ(d, -2.0f);
    EXPECT_EQ(sphereSide(Vector3(0, -1.5f, 0), up, origin, 2.0f, d), Intersects);
    EXPECT_EQ(d, -1.5f);
    EXPECT_EQ(sphereSide(Vector3(0, 1.99f, 0), up, Vector3(9, 0, 9), 2.0f, d), Intersects);
    EXPECT_EQ(sphereSide(Vector3(0, 13, 0), up, Vector3(0, 10, 0), 2.0f, d), InFront);
    EXPECT_EQ(d, 3.0f);
}

TEST(PointInPolygon, InsideOnTheBorderOutsideAndOffThePlane)
{
    const Vector3 square[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    EXPECT_TRUE(pointInPolygon(Vector3(0.5f, 0.5f, 0), square, 4));
    EXPECT_TRUE(pointInPolygon(Vector3(0.5f, 0, 0), square, 4));   // on an edge: pi + the rest
    EXPECT_FALSE(pointInPolygon(Vector3(0, 0, 0), square, 4));     // on a corner: two zero angles
    EXPECT_FALSE(pointInPolygon(Vector3(1.5f, 0.5f, 0), square, 4));
    // Just off the plane the sum drops below 2 pi; the 0.99 margin still takes 0.05 but not 0.1.
    EXPECT_TRUE(pointInPolygon(Vector3(0.5f, 0.5f, 0.05f), square, 4));
    EXPECT_FALSE(pointInPolygon(Vector3(0.5f, 0.5f, 0.1f), square, 4));
}

TEST(SphereTouchesEdge, StrictAndIncludesTheClosingEdge)
{
    const Vector3 quad[4] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    EXPECT_FALSE(sphereTouchesEdge(Vector3(5, -1, 0), quad, 4, 1.0f));
    EXPECT_TRUE(sphereTouchesEdge(Vector3(5, -0.999f, 0), quad, 4, 1.0f));
    // Near the edge from the last corner back to the first only.
    EXPECT_TRUE(sphereTouchesEdge(Vector3(-0.5f, 5, 0), quad, 4, 1.0f));
    // Past the end of an edge the distance is to its corner.
    EXPECT_FALSE(sphereTouchesEdge(Vector3(-0.8f, -0.8f, 0), quad, 4, 1.0f));
    EXPECT_TRUE(sphereTouchesEdge(Vector3(-0.7f, -0.7f, 0), quad, 4, 1.0f));
}

TEST(PushOutOffset, EndsAtTheRadiusOnTheSideTheCentreWas)
{
    const Vector3 n(1, 0, 0);
    Vector3 front = pushOutOffset(n, 2.2f, 0.5f);
    EXPECT_NEAR(front.x, 1.7f, TOL);
    Vector3 behind = pushOutOffset(n, 2.2f, -0.5f);
    EXPECT_NEAR(behind.x, -1.7f, TOL);
    // Exactly on the plane the centre goes against the normal.
    Vector3 onPlane = pushOutOffset(n, 2.2f, 0.0f);
    EXPECT_NEAR(onPlane.x, -2.2f, TOL);
    EXPECT_EQ(onPlane.y, 0.0f);
    EXPECT_EQ(onPlane.z, 0.0f);
}

TEST(CollisionPass, OnePassInListOrderWithTheViewMovedAlong)
{
    // Two walls 3 apart: leaving the second puts the eye back into the first until next frame.
    const Vector3 walls[8] = {{0, -5, -5}, {0, -5, 5}, {0, 5, 5}, {0, 5, -5},
                              {3, -5, -5}, {3, 5, -5}, {3, 5, 5}, {3, -5, 5}};
    Camera c = eyeAt(1, 0, 0, Vector3(1, 0, -10));
    resolveSceneCollision(c, walls, 8);
    expectAt(c, 0.8f, 0, 0);
    EXPECT_NEAR(c.view.x, 0.8f, TOL);
    EXPECT_EQ(c.view.z, -10.0f);

    Camera none = eyeAt(1, 0, 0);
    resolveSceneCollision(none, walls, 0);
    expectAt(none, 1, 0, 0);
}

TEST(StreetCollision, FirstFrameLiftsTheEyeOntoTheGround)
{
    ASSERT_EQ(street().count, 888);
    Camera c = eyeAt(18, 1.75f, -64, Vector3(-7, 0, -127));
    pass(c);
    expectAt(c, 18, 2.2f, -64);
    EXPECT_NEAR(c.view.y, 0.45f, TOL);
    EXPECT_EQ(c.view.x, -7.0f);
    EXPECT_EQ(c.view.z, -127.0f);

    Camera again = c;
    pass(again);
    EXPECT_EQ(again.position.x, c.position.x);
    EXPECT_EQ(again.position.y, c.position.y);
    EXPECT_EQ(again.position.z, c.position.z);
    EXPECT_EQ(again.view.y, c.view.y);
}

TEST(StreetCollision, ColumnFaceAndCornerEdgePushAlongTheFace)
{
    // The column at x -6..-4, z -80..-78.
    Camera face = eyeAt(-2, 2.2f, -79);
    pass(face);
    expectAt(face, -1.8f, 2.2f, -79);

    Camera corner = eyeAt(-3.5f, 2.2f, -77.5f);
    pass(corner);
    expectAt(corner, -1.8f, 2.2f, -77.5f);

    Camera clear = eyeAt(-2.5f, 2.2f, -76.5f);  // 2.12 from the corner edge
    pass(clear);
    EXPECT_EQ(clear.position.x, -2.5f);
    EXPECT_EQ(clear.position.z, -76.5f);
}

TEST(StreetCollision, ExactlyTheRadiusFromAFaceIsNotPushed)
{
    Camera atRadius = eyeAt(-1.8f, 2.2f, -79);
    pass(atRadius);
    EXPECT_EQ(atRadius.position.x, -1.8f);

    Camera inside = eyeAt(-1.81f, 2.2f, -79);
    pass(inside);
    expectAt(inside, -1.8f, 2.2f, -79);
}

TEST(StreetCollision, CounterSlabEdgePushesBackLevel)
{
    Camera c = eyeAt(0, 2.2f, -100);
    pass(c);
    expectAt(c, 1.7f, 2.2f, -100);
}

TEST(StreetCollision, GroundFloorBlockKeepsTheEyeOutOfTheArcade)
{
    // Between the columns in front of it the block's street face at x = 12 stops the eye at 9.8.
    Camera c = eyeAt(10.5f, 2.2f, -193, Vector3(30, 2.2f, -193));
    pass(c);
    expectAt(c, 9.8f, 2.2f, -193);
    EXPECT_NEAR(c.view.x, 29.3f, TOL);
}

}  // namespace test_collision
