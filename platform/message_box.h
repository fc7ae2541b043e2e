// Error message boxes: printed on standard error and shown modally in the game window.
// Depends on: GLUT (only once a window exists).
#pragma once

// Caption of every box the game shows.
extern const char* const MESSAGE_BOX_CAPTION;  // "Error"

// Call once the window exists; before that a message goes to standard error only.
void messageBoxAttachWindow();
// Scripted and demo runs: show the box for one frame but never wait for the player.
void messageBoxSetNonBlocking(bool nonBlocking);
// Test runs, whose expected errors would only clutter the output: the text is still
// recorded for lastErrorMessage() but not printed.
void messageBoxSetQuiet(bool quiet);
// Prints "Error: <text>" on standard error (unless quiet), then shows the box until the
// player dismisses it with Enter, Escape, Space or a click on OK.
void showErrorMessage(const char* text);

// The last text shown and the number of boxes so far (for tests).
const char* lastErrorMessage();
int errorMessageCount();
