// The locked pointer's position in window pixels.
// Depends on: virtual_pointer.h.
#include "web/glut/virtual_pointer.h"

namespace {

// Movements are a few pixels, but a page may report anything: each is capped first.
const long MAX_MOVEMENT = 1L << 20;

int clampToSide(long v, int side)
{
    if (side <= 0 || v < 0) return 0;
    return v >= side ? side - 1 : (int)v;
}

}  // namespace

void moveVirtualPointer(VirtualPointer& p, long dx, long dy, int width, int height)
{
    dx = dx < -MAX_MOVEMENT ? -MAX_MOVEMENT : dx > MAX_MOVEMENT ? MAX_MOVEMENT : dx;
    dy = dy < -MAX_MOVEMENT ? -MAX_MOVEMENT : dy > MAX_MOVEMENT ? MAX_MOVEMENT : dy;
    p.x = clampToSide((long)p.x + dx, width);
    p.y = clampToSide((long)p.y + dy, height);
}

void warpVirtualPointer(VirtualPointer& p, int x, int y, int width, int height)
{
    p.x = clampToSide(x, width);
    p.y = clampToSide(y, height);
}
