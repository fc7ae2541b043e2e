// The reshape callback and the window-pixel projection shared by the menu and the overlay.
// Depends on: projection.h, startup.h (the window size), GL/GLU.
#pragma once

void reshapeWindow(int width, int height);
// Saves the projection and replaces it with window pixels (origin top left, y downwards),
// leaving the model-view matrix selected; endWindowPixels restores the saved projection.
void beginWindowPixels();
void endWindowPixels();
