// Screenshot files in the browser, which has no libpng: our own encoder writes the picture
// into the page's file system, where the page can read it back.
// Depends on: app/png_write.h, png_encode.h, platform/output_file.h.
#include "app/png_write.h"

#include "platform/output_file.h"
#include "web/device/png_encode.h"

#include <cstdio>
#include <string>
#include <vector>

bool writeScreenshotPng(const char* path, const unsigned char* rgbBottomUp, int width, int height)
{
    std::vector<uint8_t> png = encodePngRgb(rgbBottomUp, width, height);
    if (png.empty()) {
        std::fprintf(stderr, "kerbrunner: cannot encode screenshot %s\n", path);
        return false;
    }
    std::string reason;
    FILE* f = openOutputFile(path, reason);
    if (!f) {
        std::fprintf(stderr, "kerbrunner: cannot write screenshot %s: %s\n", path, reason.c_str());
        return false;
    }
    bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && written;
}
