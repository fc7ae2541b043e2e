// The pointer position the window reports while the browser holds the pointer locked to
// the canvas: the browser then gives only movements, which move this position in window
// pixels, kept inside the window. A warp puts it anywhere in the window.
// Depends on: nothing (plain C++, so that it can be checked without a browser).
#pragma once

struct VirtualPointer {
    int x;
    int y;
};

// Adds a movement, then keeps the position inside a width x height window.
void moveVirtualPointer(VirtualPointer& p, long dx, long dy, int width, int height);
// Puts the position at (x, y), kept inside the window.
void warpVirtualPointer(VirtualPointer& p, int x, int y, int width, int height);
