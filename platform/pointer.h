// The mouse pointer: hidden for the whole run, re-centred for mouse look.
// Depends on: GLUT (only once a window exists).
#pragma once

// Call once the window exists; until then pointer calls only record what they were asked.
void pointerAttachWindow();
void pointerHide();
// Put the pointer at (x, y) in window pixels; the next motion report is relative to it.
void pointerMoveTo(int x, int y);

// What the last pointerMoveTo asked for, and how many calls there were (for tests).
int pointerMoveCount();
int pointerLastX();
int pointerLastY();
