// Reads the frame just drawn and writes it as an 8-bit RGB PNG, top row first.
// Depends on: screenshot_gl.h, png_write.h (the file itself), GL, GLUT (the real window size).
#include "app/screenshot_gl.h"

#include "app/png_write.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <vector>

namespace {

// The game's idea of the window size comes from reshape events, which a script can make up;
// what can be read back is the window the window system really has.
int readableSide(int asked, int real) { return real > 0 && asked > real ? real : asked; }

}  // namespace

bool saveScreenshot(const char* path, int askedWidth, int askedHeight)
{
    const int width = readableSide(askedWidth, glutGet(GLUT_WINDOW_WIDTH));
    const int height = readableSide(askedHeight, glutGet(GLUT_WINDOW_HEIGHT));
    if (width <= 0 || height <= 0) return false;
    std::vector<unsigned char> pixels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    return writeScreenshotPng(path, pixels.data(), width, height);
}
