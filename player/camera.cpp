// The first-person camera: walking, sidestepping, turning, the play area and the view transform.
// Depends on: camera.h, vector3.h, the platform pointer (no GL: the view transform is in camera_gl.cpp).
#include "player/camera.h"

#include "platform/pointer.h"

#include <cmath>
#include <cstdint>

Camera playerCamera;

namespace {

void moveBy(Camera& cam, const Vector3& dir, float amount)
{
    cam.position.x += dir.x * amount;
    cam.position.z += dir.z * amount;
    cam.view.x += dir.x * amount;
    cam.view.z += dir.z * amount;
}

// The horizontal direction to the right of the look direction, or false when the look is
// straight along up and no such direction exists.
bool sidewaysDirection(const Camera& cam, Vector3& out)
{
    Vector3 side = cross(cam.view - cam.position, cam.up);
    if (side.x == 0.0f && side.y == 0.0f && side.z == 0.0f) return false;
    out = normalized(side);
    return true;
}

// Puts the eye on the nearer border when it is strictly outside, moving the view point along
// so the look direction stays.
void clampAxis(float& eye, float& view, float minimum, float maximum)
{
    if (eye < minimum) {
        float d = eye - minimum;
        eye -= d;
        view -= d;
    }
    if (eye > maximum) {
        float d = eye - maximum;
        eye -= d;
        view -= d;
    }
}

}  // namespace

void placeCamera(Camera& cam, float px, float py, float pz, float vx, float vy, float vz,
                 float ux, float uy, float uz)
{
    cam.position = Vector3(px, py, pz);
    cam.view = Vector3(vx, vy, vz);
    cam.up = Vector3(ux, uy, uz);
}

void walk(Camera& cam, float amount)
{
    Vector3 d = normalized(cam.view - cam.position);
    moveBy(cam, d, amount);
}

void sidestep(Camera& cam, float amount)
{
    Vector3 s;
    if (!sidewaysDirection(cam, s)) return;
    moveBy(cam, s, amount);
}

void turnView(Camera& cam, float angle, float x, float y, float z)
{
    Vector3 v = cam.view - cam.position;
    float cosA = (float)std::cos((double)angle);
    float sinA = (float)std::sin((double)angle);
    float c1 = 1.0f - cosA;
    Vector3 r;
    r.x = (cosA + c1 * x * x) * v.x + (c1 * x * y - z * sinA) * v.y + (c1 * x * z + y * sinA) * v.z;
    r.y = (c1 * x * y + z * sinA) * v.x + (cosA + c1 * y * y) * v.y + (c1 * y * z - x * sinA) * v.z;
    r.z = (c1 * x * z - y * sinA) * v.x + (c1 * y * z + x * sinA) * v.y + (cosA + c1 * z * z) * v.z;
    cam.view = cam.position + r;
}

void lookWithMouse(Camera& cam, int mouseX, int mouseY, float winWidth, float winHeight)
{
    int cx = (int)(winWidth / 2);
    int cy = (int)(winHeight / 2);
    if (mouseX == cx && mouseY == cy) return;
    pointerMoveTo(cx, cy);
    // In 64 bits: a script or the window system may deliver any int, and the centre minus
    // INT_MIN does not fit in an int.
    float yaw = (float)((double)((int64_t)cx - mouseX) / (double)MOUSE_DIVISOR);
    float pitch = (float)((double)((int64_t)cy - mouseY) / (double)MOUSE_DIVISOR);
    Vector3 axis;
    if (sidewaysDirection(cam, axis)) turnView(cam, pitch, axis.x, axis.y, axis.z);
    turnView(cam, yaw, 0.0f, 1.0f, 0.0f);
}

void clampToPlayArea(Camera& cam)
{
    clampAxis(cam.position.x, cam.view.x, PLAY_AREA_MIN_X, PLAY_AREA_MAX_X);
    clampAxis(cam.position.z, cam.view.z, PLAY_AREA_MIN_Z, PLAY_AREA_MAX_Z);
}
