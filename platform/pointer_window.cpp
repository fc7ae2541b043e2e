// Pointer hiding and warping through GLUT.
// Depends on: pointer.h, GLUT.
#include "platform/pointer.h"

#include <GL/freeglut.h>

namespace {
bool windowAttached = false;
int moveCount = 0;
int lastX = 0;
int lastY = 0;
}

void pointerAttachWindow() { windowAttached = true; }

void pointerHide()
{
    if (windowAttached) glutSetCursor(GLUT_CURSOR_NONE);
}

void pointerMoveTo(int x, int y)
{
    ++moveCount;
    lastX = x;
    lastY = y;
    if (windowAttached) glutWarpPointer(x, y);
}

int pointerMoveCount() { return moveCount; }
int pointerLastX() { return lastX; }
int pointerLastY() { return lastY; }
