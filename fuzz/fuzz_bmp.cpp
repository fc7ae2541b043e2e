// Fuzz target: the picture reader over arbitrary bytes.
// A decoded picture has exactly the sides its header states and a pixel buffer of
// width x height x 3 bytes (every byte is read, so AddressSanitizer sees a short buffer);
// a refused file gives one of the reader's messages and leaves nothing allocated
// (LeakSanitizer reports a buffer kept by mistake).
// Depends on: world/bmp_image.h, fuzz_check.h.
#include "fuzz/fuzz_check.h"
#include "world/bmp_image.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const size_t FILE_HEADER_SIZE = 14;
const uint32_t CORE_HEADER_SIZE = 12;

uint32_t read16(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8); }
uint32_t read32(const uint8_t* p) { return read16(p) | (read16(p + 2) << 16); }

bool isReaderMessage(const char* message)
{
    const char* const known[] = {BMP_UNKNOWN_FORMAT, BMP_CONVERSION_ERROR, BMP_OUT_OF_MEMORY};
    for (const char* k : known)
        if (std::strcmp(message, k) == 0) return true;
    return false;
}

// The sides the header states, read here independently of the reader; false when the
// header does not even hold them.
bool statedSides(const uint8_t* data, size_t size, int64_t* width, int64_t* height)
{
    size_t at = size >= 2 && data[0] == 'B' && data[1] == 'M' ? FILE_HEADER_SIZE : 0;
    if (size < at + CORE_HEADER_SIZE) return false;
    const uint8_t* h = data + at;
    if (read32(h) == CORE_HEADER_SIZE) {
        *width = read16(h + 4);
        *height = read16(h + 6);
        return true;
    }
    if (size < at + 12) return false;
    *width = (int32_t)read32(h + 4);
    int64_t stated = (int32_t)read32(h + 8);
    *height = stated < 0 ? -stated : stated;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image;
    BmpInfo info;
    const char* message = decodeBmpImage(data, size, &image, &info);
    if (message) {
        FUZZ_CHECK(isReaderMessage(message));
        FUZZ_CHECK(image.pixels == nullptr);
        return 0;
    }
    int64_t width = 0, height = 0;
    FUZZ_CHECK(statedSides(data, size, &width, &height));
    FUZZ_CHECK(image.width == width && image.height == height);
    FUZZ_CHECK(image.width > 0 && image.height > 0);
    FUZZ_CHECK(image.width <= BMP_MAX_SIDE && image.height <= BMP_MAX_SIDE);
    FUZZ_CHECK(info.headerSize >= CORE_HEADER_SIZE);
    FUZZ_CHECK(image.pixels != nullptr);
    size_t bytes = (size_t)image.width * (size_t)image.height * 3;
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum += image.pixels[i];
    // Keeps the reads from being optimised away.
    volatile unsigned keep = sum;
    (void)keep;
    std::free(image.pixels);
    return 0;
}
