// The game window's pointer: hidden and warped through GLUT.
// Depends on: pointer_window.h, pointer.h, GLUT.
#include "platform/pointer_window.h"

#include "platform/pointer.h"

#include <GL/freeglut.h>

namespace {
void hideInWindow() { glutSetCursor(GLUT_CURSOR_NONE); }
void warpInWindow(int x, int y) { glutWarpPointer(x, y); }
}  // namespace

void pointerAttachWindow() { pointerSetDevice(PointerDevice{hideInWindow, warpInWindow}); }
