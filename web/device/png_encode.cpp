// PNG files from RGB pixels: signature, IHDR, one IDAT of stored deflate blocks, IEND.
// Depends on: png_encode.h.
#include "web/device/png_encode.h"

#include <cstddef>

const int PNG_MAX_SIDE = 16384;

namespace {

const uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
const int BYTES_PER_PIXEL = 3;
const uint8_t BIT_DEPTH = 8;
const uint8_t COLOUR_TYPE_RGB = 2;
const uint8_t FILTER_NONE = 0;
// zlib header: deflate with a 32 KiB window, no dictionary, fastest level (a multiple of 31).
const uint8_t ZLIB_METHOD = 0x78;
const uint8_t ZLIB_FLAGS = 0x01;
const size_t STORED_BLOCK_MAX = 65535;
const uint8_t STORED_BLOCK = 0x00;
const uint8_t STORED_BLOCK_FINAL = 0x01;
const uint32_t CRC_POLYNOMIAL = 0xedb88320u;
const uint32_t ADLER_MODULUS = 65521;

void putBigEndian32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((uint8_t)(value >> shift));
}

void putLittleEndian16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back((uint8_t)value);
    out.push_back((uint8_t)(value >> 8));
}

uint32_t crc32Of(const uint8_t* bytes, size_t size)
{
    static uint32_t table[256];
    static bool tableMade = false;
    if (!tableMade) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? CRC_POLYNOMIAL ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        tableMade = true;
    }
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

uint32_t adler32Of(const std::vector<uint8_t>& bytes)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % ADLER_MODULUS;
        b = (b + a) % ADLER_MODULUS;
    }
    return (b << 16) | a;
}

// Length, type, data and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    putBigEndian32(out, (uint32_t)data.size());
    size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian32(out, crc32Of(&out[typeStart], out.size() - typeStart));
}

// The zlib stream of the bytes, in stored blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {ZLIB_METHOD, ZLIB_FLAGS};
    out.reserve(raw.size() + raw.size() / STORED_BLOCK_MAX * 5 + 16);
    size_t pos = 0;
    do {
        size_t length = raw.size() - pos < STORED_BLOCK_MAX ? raw.size() - pos : STORED_BLOCK_MAX;
        bool last = pos + length == raw.size();
        out.push_back(last ? STORED_BLOCK_FINAL : STORED_BLOCK);
        putLittleEndian16(out, (uint32_t)length);
        putLittleEndian16(out, (uint32_t)~length & 0xffff);
        out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + length);
        pos += length;
    } while (pos < raw.size());
    putBigEndian32(out, adler32Of(raw));
    return out;
}

}  // namespace

std::vector<uint8_t> encodePngRgb(const uint8_t* rgbBottomUp, int width, int height)
{
    if (!rgbBottomUp || width <= 0 || height <= 0 || width > PNG_MAX_SIDE ||
        height > PNG_MAX_SIDE)
        return {};
    const size_t stride = (size_t)width * BYTES_PER_PIXEL;
    // Each row is its filter byte and its pixels; GL rows start at the bottom.
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * height);
    for (int row = height - 1; row >= 0; --row) {
        raw.push_back(FILTER_NONE);
        const uint8_t* pixels = rgbBottomUp + (size_t)row * stride;
        raw.insert(raw.end(), pixels, pixels + stride);
    }
    std::vector<uint8_t> header;
    putBigEndian32(header, (uint32_t)width);
    putBigEndian32(header, (uint32_t)height);
    // Bit depth, colour type, compression, filter method, no interlace.
    header.insert(header.end(), {BIT_DEPTH, COLOUR_TYPE_RGB, 0, 0, 0});

    std::vector<uint8_t> png(PNG_SIGNATURE, PNG_SIGNATURE + sizeof PNG_SIGNATURE);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", {});
    return png;
}
