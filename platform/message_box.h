// Error message boxes: printed on standard error and shown modally in the game window.
// Depends on: nothing (the window's box is installed by platform/message_box_device.h).
#pragma once

// Caption of every box the game shows.
extern const char* const MESSAGE_BOX_CAPTION;  // "Error"

// How a window shows a box: draws `text` and, when `wait` is set, returns only once the
// player has dismissed it. Without one (before the window exists, and in tools and tests)
// a message goes to standard error only.
using MessageBoxPresenter = void (*)(const char* text, bool wait);
// Installs the window's box (null removes it).
void messageBoxSetPresenter(MessageBoxPresenter present);
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
