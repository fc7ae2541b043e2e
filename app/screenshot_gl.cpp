// Reads the frame just drawn and writes it as an 8-bit RGB PNG, top row first.
// Depends on: screenshot_gl.h, platform/output_file.h, GL, GLUT (the real window size), libpng.
#include "app/screenshot_gl.h"

#include "platform/output_file.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <png.h>

#include <cstdio>
#include <string>
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

    std::string reason;
    FILE* f = openOutputFile(path, reason);
    if (!f) {
        std::fprintf(stderr, "kerbrunner: cannot write screenshot %s: %s\n", path, reason.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::fprintf(stderr, "kerbrunner: cannot encode screenshot %s\n", path);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // GL rows start at the bottom; PNG rows at the top.
    for (int row = height - 1; row >= 0; --row)
        png_write_row(png, &pixels[(size_t)row * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
