// The game window's pointer: hidden and warped through GLUT.
// Depends on: pointer_device.h, pointer.h, GLUT.
#include "platform/pointer_device.h"

#include "platform/pointer.h"

#include <GL/freeglut.h>

namespace {
void hideInWindow() { glutSetCursor(GLUT_CURSOR_NONE); }
void warpInWindow(int x, int y) { glutWarpPointer(x, y); }
}  // namespace

void pointerAttachWindow() { pointerSetDevice(PointerDevice{hideInWindow, warpInWindow}); }
