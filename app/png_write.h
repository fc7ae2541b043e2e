// Screenshot files: an 8-bit RGB picture written as a PNG.
// Depends on: nothing here; app/png_write_device.cpp writes with libpng on the desktop,
// web/device/png_write_device.cpp writes in the browser, where there is no libpng.
#pragma once

// Writes width x height RGB pixels, 3 bytes each, rows packed with no padding and stored
// bottom row first (as GL reads them back), as a PNG with the picture's top row first.
// Returns false, after printing why, when the file cannot be written.
bool writeScreenshotPng(const char* path, const unsigned char* rgbBottomUp, int width, int height);
