// The first-person camera: walking, sidestepping, mouse look and the play area.
#include "platform/pointer.h"
#include "player/camera.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace test_camera {

Camera startPose()
{
    Camera c{};
    placeCamera(c, 20, 1.75f, -64, -5, 0, -127, 0, 1, 0);
    return c;
}

float horizontalDistance(const Vector3& a, const Vector3& b)
{
    return std::hypot(b.x - a.x, b.z - a.z);
}

TEST(CameraClamp, FirstFrameMovesTheStartPoseOntoTheBorderWithItsViewPoint)
{
    Camera c = startPose();
    clampToPlayArea(c);
    EXPECT_FLOAT_EQ(c.position.x, 18);
    EXPECT_FLOAT_EQ(c.view.x, -7);
    EXPECT_FLOAT_EQ(c.position.y, 1.75f);
    EXPECT_FLOAT_EQ(c.view.z, -127);
}

TEST(CameraClamp, BorderIsKeptAndEveryEdgeClampsTheViewAlong)
{
    Camera c{};
    placeCamera(c, 18, 2, -100, 0, 2, -100, 0, 1, 0);
    clampToPlayArea(c);
    EXPECT_EQ(c.position.x, 18.0f);
    EXPECT_EQ(c.view.x, 0.0f);

    placeCamera(c, 18.5f, 2, -100, 0, 2, -100, 0, 1, 0);
    clampToPlayArea(c);
    EXPECT_FLOAT_EQ(c.position.x, 18);
    EXPECT_FLOAT_EQ(c.view.x, -0.5f);

    placeCamera(c, -30, 2, -300, -31, 2, -301, 0, 1, 0);
    clampToPlayArea(c);
    EXPECT_FLOAT_EQ(c.position.x, -18);
    EXPECT_FLOAT_EQ(c.position.z, -220);
    EXPECT_FLOAT_EQ(c.view.x, -19);
    EXPECT_FLOAT_EQ(c.view.z, -221);

    placeCamera(c, 0, 2, 10, 0, 2, 0, 0, 1, 0);
    clampToPlayArea(c);
    EXPECT_FLOAT_EQ(c.position.z, -38);
    EXPECT_FLOAT_EQ(c.view.z, -48);
}

TEST(CameraWalk, KeepsHeightAndCoversTheCosineOfThePitchOnTheGround)
{
    // Looking 60 degrees below the horizontal along -z.
    Camera c{};
    float pitch = (float)(M_PI / 3);
    placeCamera(c, 0, 2.2f, -100, 0, 2.2f - 10 * std::sin(pitch), -100 - 10 * std::cos(pitch), 0, 1, 0);
    Vector3 before = c.position;
    walk(c, 8.0f);
    EXPECT_NEAR(horizontalDistance(before, c.position), 4.0f, 1e-4f);
    EXPECT_FLOAT_EQ(c.position.y, 2.2f);
    EXPECT_LT(c.position.z, before.z);

    // Sidestep is not shortened by the pitch; looking along -z, the right is +x.
    before = c.position;
    sidestep(c, 8.0f);
    EXPECT_NEAR(horizontalDistance(before, c.position), 8.0f, 1e-4f);
    EXPECT_GT(c.position.x, before.x);
}

TEST(CameraWalk, MovesTheViewPointByTheSameVector)
{
    Camera c = startPose();
    Vector3 look = c.view - c.position;
    walk(c, 3.5f);
    sidestep(c, -1.25f);
    Vector3 after = c.view - c.position;
    EXPECT_NEAR(after.x, look.x, 1e-4f);
    EXPECT_NEAR(after.y, look.y, 1e-4f);
    EXPECT_NEAR(after.z, look.z, 1e-4f);
}

TEST(CameraLook, CentreOfTheWindowChangesNothingAndDoesNotMoveThePointer)
{
    Camera c = startPose();
    int moves = pointerMoveCount();
    lookWithMouse(c, 512, 384, 1024, 768);
    EXPECT_EQ(pointerMoveCount(), moves);
    EXPECT_EQ(c.view.x, -5.0f);
    EXPECT_EQ(c.view.z, -127.0f);
}

TEST(CameraLook, FiftyPixelsRightTurnsOneTenthRadianRightAndRecentres)
{
    Camera c{};
    placeCamera(c, 0, 2, 0, 0, 2, -10, 0, 1, 0);
    lookWithMouse(c, 562, 384, 1024, 768);
    EXPECT_EQ(pointerLastX(), 512);
    EXPECT_EQ(pointerLastY(), 384);
    Vector3 d = c.view - c.position;
    // Turned right: looking along -z, the right is +x.
    EXPECT_NEAR(std::atan2(d.x, -d.z), 0.1, 1e-5);
    EXPECT_NEAR(d.y, 0.0f, 1e-6f);
}

TEST(CameraLook, PointerAboveTheCentreTurnsUpAndOddWidthsTruncateTheCentre)
{
    Camera c{};
    placeCamera(c, 0, 2, 0, 0, 2, -10, 0, 1, 0);
    // 1025 pixels wide: the centre x is still 512, so x = 512 means no yaw.
    lookWithMouse(c, 512, 334, 1025, 768);
    EXPECT_EQ(pointerLastX(), 512);
    Vector3 d = c.view - c.position;
    EXPECT_NEAR(std::atan2(d.y, -d.z), 0.1, 1e-5);
    EXPECT_NEAR(d.x, 0.0f, 1e-5f);
}

TEST(CameraLook, StraightUpSkipsThePitchInsteadOfProducingNaN)
{
    Camera c{};
    placeCamera(c, 0, 2, 0, 0, 12, 0, 0, 1, 0);
    lookWithMouse(c, 600, 300, 1024, 768);
    sidestep(c, 1.0f);
    EXPECT_FALSE(std::isnan(c.view.x) || std::isnan(c.view.y) || std::isnan(c.view.z));
    EXPECT_FALSE(std::isnan(c.position.x) || std::isnan(c.position.z));
}

// Any int a script or the window system delivers: the centre minus the pointer is taken in
// 64 bits (UBSan reports the overflow an int would have), and the look stays a finite
// direction of the same length.
TEST(CameraLook, ExtremePointerPositionsTurnByTheirExactDistanceAndStayFinite)
{
    const struct {
        int x, y;
        float width, height;
    } cases[] = {
        {INT_MIN, INT_MIN, 1024, 768}, {INT_MAX, INT_MAX, 1024, 768}, {INT_MIN, INT_MAX, 1024, 768},
        {INT_MAX, INT_MIN, 0, 0},      {-1, -1, 0, 0},                {INT_MIN, 384, 2147483647.0f, 768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " in " << c.width << " x " << c.height);
        Camera cam{};
        placeCamera(cam, 0, 2, 0, 0, 2, -10, 0, 1, 0);
        lookWithMouse(cam, c.x, c.y, c.width, c.height);
        Vector3 d = cam.view - cam.position;
        EXPECT_TRUE(std::isfinite(d.x) && std::isfinite(d.y) && std::isfinite(d.z));
        EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), 10.0f, 1e-3f);
    }
    // A yaw of (512 - INT_MIN) / 500 radians, exactly as the wide difference gives it.
    Camera cam{};
    placeCamera(cam, 0, 2, 0, 0, 2, -10, 0, 1, 0);
    lookWithMouse(cam, INT_MIN, 384, 1024, 768);
    double yaw = (float)((512.0 - (double)INT_MIN) / 500.0);
    Vector3 d = cam.view - cam.position;
    EXPECT_NEAR(d.x, -10 * std::sin(yaw), 1e-3);
    EXPECT_NEAR(d.z, -10 * std::cos(yaw), 1e-3);
}

TEST(CameraTurn, RotatesAboutTheAxisRightHandedAndKeepsTheLength)
{
    Camera c{};
    placeCamera(c, 1, 2, 3, 11, 2, 3, 0, 1, 0);
    turnView(c, (float)(M_PI / 2), 0, 1, 0);
    // +x turned a quarter counter-clockwise about +y (seen from above) points to -z.
    EXPECT_NEAR(c.view.x, 1.0f, 1e-5f);
    EXPECT_NEAR(c.view.z, 3.0f - 10.0f, 1e-5f);
    EXPECT_EQ(c.position.x, 1.0f);
}

}  // namespace test_camera
