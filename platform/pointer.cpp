// The pointer's requests, recorded and passed on to the window once it has one.
// Depends on: pointer.h.
#include "platform/pointer.h"

namespace {
PointerDevice device = {nullptr, nullptr};
int moveCount = 0;
int lastX = 0;
int lastY = 0;
}  // namespace

void pointerSetDevice(const PointerDevice& installed) { device = installed; }

void pointerHide()
{
    if (device.hide) device.hide();
}

void pointerMoveTo(int x, int y)
{
    ++moveCount;
    lastX = x;
    lastY = y;
    if (device.moveTo) device.moveTo(x, y);
}

int pointerMoveCount() { return moveCount; }
int pointerLastX() { return lastX; }
int pointerLastY() { return lastY; }
