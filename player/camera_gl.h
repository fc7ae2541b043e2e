// Loads the player's view transform into GL.
// Depends on: camera.h, GLU.
#pragma once
#include "player/camera.h"

void applyLookAt(const Camera& cam);
