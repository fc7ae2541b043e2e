// Vector math: the cases that catch sign, order and rounding mistakes.
#include "player/vector3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace test_vector3 {

void expectVec(const Vector3& v, float x, float y, float z, float tol = 1e-6f)
{
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

TEST(VectorProducts, CrossFollowsTheRightHandAndDotOfPerpendicularIsZero)
{
    expectVec(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), 0, 0, 1);
    expectVec(cross(Vector3(0, 1, 0), Vector3(1, 0, 0)), 0, 0, -1);
    EXPECT_EQ(dot(Vector3(1, 0, 0), Vector3(0, 1, 0)), 0.0f);
    EXPECT_EQ(dot(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0f);
}

TEST(VectorLength, LengthAndNormalizedOfThreeFour)
{
    EXPECT_EQ(length(Vector3(3, 0, 4)), 5.0f);
    expectVec(normalized(Vector3(3, 0, 4)), 0.6f, 0, 0.8f);
    EXPECT_EQ(distance(Vector3(1, 1, 1), Vector3(4, 1, 5)), 5.0f);
}

TEST(VectorArithmetic, OperatorsWorkComponentwise)
{
    expectVec(Vector3(1, 2, 3) + Vector3(4, 5, 6), 5, 7, 9);
    expectVec(Vector3(1, 2, 3) - Vector3(4, 5, 6), -3, -3, -3);
    expectVec(Vector3(1, -2, 3) * 2.0f, 2, -4, 6);
}

TEST(PolygonNormal, GroundQuadNormalPointsDown)
{
    const Vector3 ground[4] = {Vector3(500, 0, 300), Vector3(500, 0, -500), Vector3(-20, 0, -500),
                               Vector3(-20, 0, 300)};
    expectVec(polygonNormal(ground), 0, -1, 0);
}

TEST(ClosestPointOnSegment, ClampsAtBothEndsAndProjectsInside)
{
    Vector3 a(0, 0, 0), b(10, 0, 0);
    expectVec(closestPointOnSegment(a, b, Vector3(-3, 5, 0)), 0, 0, 0);
    expectVec(closestPointOnSegment(a, b, Vector3(0, 5, 0)), 0, 0, 0);
    expectVec(closestPointOnSegment(a, b, Vector3(12, 1, 0)), 10, 0, 0);
    expectVec(closestPointOnSegment(a, b, Vector3(10, 1, 0)), 10, 0, 0);
    expectVec(closestPointOnSegment(a, b, Vector3(4, 7, 0)), 4, 0, 0);
}

TEST(PlaneOffset, IsMinusTheDotOfNormalAndPoint)
{
    EXPECT_EQ(planeOffset(Vector3(0, 1, 0), Vector3(7, 2, 9)), -2.0f);
}

TEST(AngleBetween, RightAngleParallelAndZeroVectors)
{
    EXPECT_NEAR(angleBetween(Vector3(1, 0, 0), Vector3(0, 1, 0)), M_PI / 2, 1e-7);
    EXPECT_EQ(angleBetween(Vector3(2, 0, 0), Vector3(5, 0, 0)), 0.0);
    EXPECT_EQ(angleBetween(Vector3(0, 0, 0), Vector3(1, 0, 0)), 0.0);
    EXPECT_NEAR(angleBetween(Vector3(1, 0, 0), Vector3(-1, 0, 0)), M_PI, 1e-7);
}

}  // namespace test_vector3
