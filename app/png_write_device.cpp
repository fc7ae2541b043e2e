// Screenshot files on the desktop: libpng writes the picture, top row first.
// Depends on: png_write.h, terminal_text.h, platform/output_file.h, libpng.
#include "app/png_write.h"
#include "app/terminal_text.h"

#include "platform/output_file.h"

#include <png.h>

#include <cstdio>
#include <string>

bool writeScreenshotPng(const char* path, const unsigned char* rgbBottomUp, int width, int height)
{
    std::string reason;
    FILE* f = openOutputFile(path, reason);
    if (!f) {
        std::fprintf(stderr, "kerbrunner: cannot write screenshot %s: %s\n",
                     shownPath(path).c_str(), reason.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::fprintf(stderr, "kerbrunner: cannot encode screenshot %s\n", shownPath(path).c_str());
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // GL rows start at the bottom; PNG rows at the top.
    for (int row = height - 1; row >= 0; --row)
        png_write_row(png, (png_const_bytep)&rgbBottomUp[(size_t)row * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
