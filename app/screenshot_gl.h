// Screenshots: the back buffer of the current frame written as a PNG.
// Depends on: GL, png_write.h.
#pragma once

// At most the window's real size is read, whatever width and height say. Returns false
// (after printing why) when the file cannot be written.
bool saveScreenshot(const char* path, int width, int height);
