// Windows BMP encoders: 24-bit and 8-bit palettised, 40-byte info header, bottom-up rows.
// Depends on: assetgen.h.
#include "tools/assetgen/common/assetgen.h"

#include "world/little_endian.h"

namespace {

using littleEndian::put16;
using littleEndian::put32;

void putHeaders(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t paletteEntries,
                uint32_t imageBytes)
{
    uint32_t dataOffset = 14 + 40 + paletteEntries * 4;
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageBytes);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, (uint32_t)width);
    put32(out, (uint32_t)height);
    put16(out, 1);
    put16(out, (uint32_t)bits);
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
}

}  // namespace

std::vector<uint8_t> encodeBmp24(int width, int height, const std::vector<uint8_t>& rgbTopDown)
{
    uint32_t rowBytes = ((uint32_t)width * 3 + 3) & ~3u;
    std::vector<uint8_t> out;
    out.reserve(54 + rowBytes * height);
    putHeaders(out, width, height, 24, 0, rowBytes * (uint32_t)height);
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* src = &rgbTopDown[(size_t)row * width * 3];
        for (int x = 0; x < width; ++x) {
            out.push_back(src[x * 3 + 2]);
            out.push_back(src[x * 3 + 1]);
            out.push_back(src[x * 3 + 0]);
        }
        for (uint32_t pad = (uint32_t)width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> encodeBmp8(int width, int height, const std::vector<uint8_t>& paletteRgb,
                                const std::vector<uint8_t>& indicesTopDown)
{
    uint32_t entries = (uint32_t)(paletteRgb.size() / 3);
    uint32_t rowBytes = ((uint32_t)width + 3) & ~3u;
    std::vector<uint8_t> out;
    putHeaders(out, width, height, 8, entries, rowBytes * (uint32_t)height);
    for (uint32_t i = 0; i < entries; ++i) {
        out.push_back(paletteRgb[i * 3 + 2]);
        out.push_back(paletteRgb[i * 3 + 1]);
        out.push_back(paletteRgb[i * 3 + 0]);
        out.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* src = &indicesTopDown[(size_t)row * width];
        out.insert(out.end(), src, src + width);
        for (uint32_t pad = (uint32_t)width; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}
