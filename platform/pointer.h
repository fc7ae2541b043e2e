// The mouse pointer: hidden for the whole run, re-centred for mouse look.
// Depends on: nothing (the window's pointer is installed by platform/pointer_device.h).
#pragma once

// What the window does with the requests; either may be null.
struct PointerDevice {
    void (*hide)();
    void (*moveTo)(int x, int y);
};
// Installs the window's pointer. Until then pointer calls only record what they were asked.
void pointerSetDevice(const PointerDevice& device);

void pointerHide();
// Put the pointer at (x, y) in window pixels; the next motion report is relative to it.
void pointerMoveTo(int x, int y);

// What the last pointerMoveTo asked for, and how many calls there were (for tests).
int pointerMoveCount();
int pointerLastX();
int pointerLastY();
