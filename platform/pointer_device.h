// The pointer of the game window.
// Depends on: pointer.h, GLUT (linked by the game only).
#pragma once

// Call once the window exists: from then on pointerHide and pointerMoveTo act on it.
void pointerAttachWindow();
