// The error box drawn in the game window: GL drawing, waiting on GLUT events.
// Depends on: message_box.h, freeglut (linked by the game only).
#pragma once

// Call once the window exists: from then on showErrorMessage also shows the box there.
void messageBoxAttachWindow();
