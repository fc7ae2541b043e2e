// The `bmp` command: one picture through the game's reader, optionally out as PPM.
// Depends on: assetcheck.h, world/bmp_image.h.
#include "tools/assetcheck/assetcheck.h"
#include "world/bmp_image.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const BMP_USAGE = "usage: kerbrunner-assets bmp FILE [--ppm OUT]\n";
const char* const PPM_WRITE_FAILED = "cannot write %s\n";
// The game's message is followed by the file and the exact reason.
const char* const REASON_FORMAT = "%s: %s\n";

// PPM runs top row first, the reader's rows bottom row first.
bool writePpm(const char* path, const RgbImage& image)
{
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    std::fprintf(out, "P6\n%d %d\n255\n", image.width, image.height);
    size_t rowBytes = (size_t)image.width * 3;
    bool ok = true;
    for (int32_t row = image.height - 1; row >= 0 && ok; --row)
        ok = std::fwrite(image.pixels + (size_t)row * rowBytes, 1, rowBytes, out) == rowBytes;
    return std::fclose(out) == 0 && ok;
}

void printInfo(const RgbImage& image, const BmpInfo& info)
{
    std::printf("width: %d\n", image.width);
    std::printf("height: %d\n", image.height);
    std::printf("bits per pixel: %u\n", info.bitCount);
    std::printf("compression: %s\n", bmpCompressionName(info.compression));
    std::printf("header: %u bytes%s\n", info.headerSize,
                info.hasFileHeader ? "" : ", no file header");
    std::printf("colour table: %u entries\n", info.paletteEntries);
    std::printf("rows: %s\n", info.topDown ? "top-down" : "bottom-up");
}

}  // namespace

int runBmpCommand(int argc, char** argv)
{
    const char* file = nullptr;
    const char* ppm = nullptr;
    bool usable = true;
    for (int i = 0; i < argc && usable; ++i) {
        if (std::strcmp(argv[i], "--ppm") == 0 && i + 1 < argc && !ppm)
            ppm = argv[++i];
        else if (!file && argv[i][0] != '-')
            file = argv[i];
        else
            usable = false;
    }
    if (!file || !usable) {
        std::fputs(BMP_USAGE, stderr);
        return INSPECT_USAGE;
    }

    std::vector<uint8_t> bytes;
    std::string message, reason;
    if (!readBmpFile(file, &bytes, &message, &reason)) {
        // The open message carries its own line break.
        std::fputs(message.c_str(), stderr);
        if (message.empty() || message.back() != '\n') std::fputc('\n', stderr);
        std::fprintf(stderr, REASON_FORMAT, file, reason.c_str());
        return INSPECT_PROBLEM;
    }
    RgbImage image;
    BmpInfo info;
    const char* error = decodeBmpImage(bytes.data(), bytes.size(), &image, &info, &reason);
    if (error) {
        std::fprintf(stderr, "%s\n", error);
        std::fprintf(stderr, REASON_FORMAT, file, reason.c_str());
        return INSPECT_PROBLEM;
    }
    printInfo(image, info);
    int status = INSPECT_OK;
    if (ppm && !writePpm(ppm, image)) {
        std::fprintf(stderr, PPM_WRITE_FAILED, ppm);
        status = INSPECT_PROBLEM;
    }
    std::free(image.pixels);
    return status;
}
