// The player's first-person eye: walking, sidestepping, mouse look and the play area.
// Depends on: vector3.h, the platform pointer. The view transform is in camera_gl.h.
#pragma once
#include "player/vector3.h"

struct Camera {
    Vector3 position;
    Vector3 view;  // the point looked at, not a direction
    Vector3 up;
};

extern Camera playerCamera;

const float WALK_SPEED = 8.0f;          // scene units per second
const float MOUSE_DIVISOR = 500.0f;     // pixels of pointer travel per radian
const float PLAY_AREA_MIN_X = -18.0f;
const float PLAY_AREA_MAX_X = 18.0f;
const float PLAY_AREA_MIN_Z = -220.0f;
const float PLAY_AREA_MAX_Z = -38.0f;

// Start pose of every game.
const Vector3 START_POSITION(20.0f, 1.75f, -64.0f);
const Vector3 START_VIEW(-5.0f, 0.0f, -127.0f);
const Vector3 START_UP(0.0f, 1.0f, 0.0f);

void placeCamera(Camera& cam, float px, float py, float pz, float vx, float vy, float vz,
                 float ux, float uy, float uz);
void walk(Camera& cam, float amount);
void sidestep(Camera& cam, float amount);
void turnView(Camera& cam, float angle, float ax, float ay, float az);
// The window size decides the centre the pointer is measured from and returned to.
void lookWithMouse(Camera& cam, int mouseX, int mouseY, float winWidth, float winHeight);
void clampToPlayArea(Camera& cam);
