// Windows BMP reader: every check on the file happens before the byte it guards is read.
// Depends on: bmp_image.h, little_endian.h, the platform file read, the C library (stdio, stdlib).
#include "world/bmp_image.h"

#include "platform/file_read.h"
#include "world/little_endian.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

// ---- Constants -------------------------------------------------------------------------

const char* const BMP_OPEN_FAILED_FORMAT = "Failed to open DIB file %s.\n";
const char* const BMP_UNKNOWN_FORMAT = "Unknown DIB file format.";
const char* const BMP_CONVERSION_ERROR = "Image file conversion error.";
const char* const BMP_OUT_OF_MEMORY = "Out of memory.";
const char* const BMP_EMPTY_FILE_REASON = "empty";

namespace {

const uint64_t FILE_HEADER_SIZE = 14;
const uint64_t PIXEL_OFFSET_FIELD = 10;  // in the file header
const uint32_t CORE_HEADER_SIZE = 12;    // 16-bit sides, 3-byte colour entries
const uint32_t INFO_HEADER_SIZE = 40;    // 32-bit sides, 4-byte colour entries
const uint64_t MASKS_SIZE = 12;          // red, green, blue masks after a 40-byte header
const uint32_t MAX_COLOUR_ENTRIES = 65535;
const int MAX_PALETTE = 256;             // an 8-bit index reaches no further

// Run-length data can describe far more pixels than it has bytes. Plain runs give at
// most 255 pixels per 2 bytes; anything beyond this ratio (above a small free amount)
// is taken for a damaged header rather than a picture.
const uint64_t RLE_MAX_PIXELS_PER_BYTE = 256;
const uint64_t RLE_FREE_PIXELS = 1 << 20;

// Default masks when a 16- or 32-bit picture carries none.
const uint32_t DEFAULT_MASKS_16[3] = {0x7C00, 0x03E0, 0x001F};
const uint32_t DEFAULT_MASKS_32[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
// A 16-bit bit-field file whose pixels start where its masks should be: some converters write
// these, meaning the usual 5-6-5 layout.
const uint32_t MASKS_565[3] = {0xF800, 0x07E0, 0x001F};

// Reasons given next to the message, for whoever replaced the file.
const char* const WHY_SHORT_HEADER = "the file ends inside its %s (%zu bytes)";
const char* const WHY_HEADER_SIZE = "an info header of %u bytes (only 12 and 40 are read)";
const char* const WHY_SIDES = "a size of %lld x %lld pixels (both sides must be 1 or more)";
const char* const WHY_TOO_BIG =
    "a size of %lld x %lld pixels, larger than the largest picture the game uses (%lld x %lld)";
const char* const WHY_BIT_COUNT = "%u bits per pixel (1, 4, 8, 16, 24 or 32 are read)";
const char* const WHY_COMPRESSION = "compression %u (%s) with %u bits per pixel";
const char* const WHY_RLE_TOP_DOWN = "run-length data stored top-down";
const char* const WHY_COLOURS_USED = "%u colours in the table (at most %u)";
const char* const WHY_MASK = "colour mask 0x%X is not one run of bits inside a %u-bit pixel";
const char* const WHY_TABLE_OUTSIDE = "a colour table of %u entries that ends past the file's %zu bytes";
const char* const WHY_PIXEL_OFFSET = "pixel data said to start at byte %llu, outside %llu to %zu";
const char* const WHY_PIXELS_SHORT =
    "%llu bytes of pixel data needed for %lld x %lld at %u bits, the file holds %llu";
const char* const WHY_RLE_RATIO =
    "%lld x %lld pixels from %llu bytes of run-length data (at most %llu pixels a byte)";
const char* const WHY_INDEX = "colour index %u in a table of %d entries";
const char* const WHY_RLE_ENDS = "run-length data end at row %lld of %lld";
const char* const WHY_RLE_ROW = "a run past the end of row %lld";
const char* const WHY_RLE_BELOW = "run-length data below the last row";
const char* const WHY_RLE_JUMP = "a jump that leaves the picture";
const char* const WHY_NO_MEMORY = "no memory for %lld x %lld pixels";
const int REASON_CAPACITY = 256;

// Escape codes that follow a zero count in run-length data.
const uint8_t RLE_END_OF_LINE = 0;
const uint8_t RLE_END_OF_BITMAP = 1;
const uint8_t RLE_DELTA = 2;

// ---- Types -----------------------------------------------------------------------------

// One colour channel of a bit-field pixel.
struct Channel {
    uint32_t mask;
    int shift;
    int bits;
};

// Everything the headers say about where and how the pixels are stored.
struct Layout {
    int64_t width;
    int64_t height;  // always positive; topDown says which way the rows run
    bool topDown;
    uint32_t headerSize;
    uint32_t bitCount;
    uint32_t compression;
    bool hasFileHeader;
    uint64_t tableOffset;
    uint32_t tableEntries;
    uint32_t tableEntrySize;
    uint64_t pixelOffset;
    Channel channels[3];  // red, green, blue
};

// Where a refusal's reason goes (nowhere when the caller did not ask for one).
struct Refusal {
    std::string* reason;
};

// ---- Internal helpers ------------------------------------------------------------------

// Returns the message for the box and fills in the reason, printf style.
const char* refuse(const Refusal& r, const char* message, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

const char* refuse(const Refusal& r, const char* message, const char* format, ...)
{
    if (r.reason) {
        char text[REASON_CAPACITY];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        *r.reason = text;
    }
    return message;
}

using littleEndian::read16;
using littleEndian::read32;

bool fits(uint64_t offset, uint64_t length, size_t size)
{
    return offset <= size && length <= (uint64_t)size - offset;
}

uint32_t defaultTableEntries(uint32_t bitCount)
{
    if (bitCount == 1) return 2;
    if (bitCount == 4) return 16;
    if (bitCount == 8) return 256;
    return 0;
}

bool validBitCount(uint32_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

bool validCompression(uint32_t compression, uint32_t bitCount)
{
    switch (compression) {
    case BMP_COMPRESSION_NONE: return true;
    case BMP_COMPRESSION_RLE8: return bitCount == 8;
    case BMP_COMPRESSION_RLE4: return bitCount == 4;
    case BMP_COMPRESSION_BITFIELDS: return bitCount == 16 || bitCount == 32;
    default: return false;
    }
}

// A mask must be one unbroken run of bits inside the pixel.
bool makeChannel(uint32_t mask, uint32_t bitCount, Channel* channel)
{
    if (mask == 0) return false;
    if (bitCount == 16 && mask > 0xFFFF) return false;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    uint64_t run = mask >> shift;
    int bits = 0;
    while (run & 1) {
        run >>= 1;
        ++bits;
    }
    if (run != 0) return false;
    *channel = Channel{mask, shift, bits};
    return true;
}

// Widens a channel value to 8 bits by repeating its bit pattern, so full scale stays 255.
uint8_t expandChannel(uint32_t pixel, const Channel& c)
{
    uint32_t v = (pixel & c.mask) >> c.shift;
    if (c.bits >= 8) return (uint8_t)(v >> (c.bits - 8));
    uint32_t wide = 0;
    int filled = 0;
    while (filled < 8) {
        wide = (wide << c.bits) | v;
        filled += c.bits;
    }
    return (uint8_t)(wide >> (filled - 8));
}

const char* parseInfoHeader(const uint8_t* data, size_t size, uint64_t infoOffset,
                            uint64_t declaredPixelOffset, Layout* l, const Refusal& why)
{
    if (!fits(infoOffset, 4, size))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_SHORT_HEADER, "info header", size);
    const uint8_t* h = data + infoOffset;
    l->headerSize = read32(h);
    if (l->headerSize != CORE_HEADER_SIZE && l->headerSize != INFO_HEADER_SIZE)
        return refuse(why, BMP_UNKNOWN_FORMAT, WHY_HEADER_SIZE, l->headerSize);
    if (!fits(infoOffset, l->headerSize, size))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_SHORT_HEADER, "info header", size);

    uint32_t colorsUsed = 0;
    if (l->headerSize == CORE_HEADER_SIZE) {
        l->width = read16(h + 4);
        l->height = read16(h + 6);
        l->bitCount = read16(h + 10);
        l->compression = BMP_COMPRESSION_NONE;
        l->tableEntrySize = 3;
    } else {
        l->width = (int32_t)read32(h + 4);
        l->height = (int32_t)read32(h + 8);
        l->bitCount = read16(h + 14);
        l->compression = read32(h + 16);
        colorsUsed = read32(h + 32);
        l->tableEntrySize = 4;
    }
    l->topDown = l->height < 0;
    if (l->topDown) l->height = -l->height;
    long long w = (long long)l->width, hgt = (long long)l->height;
    if (l->width <= 0 || l->height <= 0)
        return refuse(why, BMP_CONVERSION_ERROR, WHY_SIDES, w, (long long)(l->topDown ? -hgt : hgt));
    // Checked before anything is allocated: the pixel buffer can never exceed the budget.
    if (l->width > BMP_MAX_SIDE || l->height > BMP_MAX_SIDE)
        return refuse(why, BMP_CONVERSION_ERROR, WHY_TOO_BIG, w, hgt, (long long)BMP_MAX_SIDE,
                      (long long)BMP_MAX_SIDE);
    if (!validBitCount(l->bitCount))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_BIT_COUNT, l->bitCount);
    if (!validCompression(l->compression, l->bitCount))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_COMPRESSION, l->compression,
                      bmpCompressionName(l->compression), l->bitCount);
    // Run-length data only ever runs bottom-up.
    bool runLength =
        l->compression == BMP_COMPRESSION_RLE8 || l->compression == BMP_COMPRESSION_RLE4;
    if (runLength && l->topDown) return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_TOP_DOWN);
    if (colorsUsed > MAX_COLOUR_ENTRIES)
        return refuse(why, BMP_CONVERSION_ERROR, WHY_COLOURS_USED, colorsUsed, MAX_COLOUR_ENTRIES);
    l->tableEntries = colorsUsed != 0 ? colorsUsed : defaultTableEntries(l->bitCount);

    uint64_t afterHeader = infoOffset + l->headerSize;
    const uint32_t* masks = l->bitCount == 16 ? DEFAULT_MASKS_16 : DEFAULT_MASKS_32;
    uint32_t fileMasks[3];
    if (l->compression == BMP_COMPRESSION_BITFIELDS) {
        if (l->bitCount == 16 && declaredPixelOffset < afterHeader + MASKS_SIZE) {
            masks = MASKS_565;
        } else {
            if (!fits(afterHeader, MASKS_SIZE, size))
                return refuse(why, BMP_CONVERSION_ERROR, WHY_SHORT_HEADER, "colour masks", size);
            for (int i = 0; i < 3; ++i) fileMasks[i] = read32(data + afterHeader + 4 * i);
            masks = fileMasks;
            afterHeader += MASKS_SIZE;
        }
    }
    if (l->bitCount == 16 || l->bitCount == 32) {
        for (int i = 0; i < 3; ++i)
            if (!makeChannel(masks[i], l->bitCount, &l->channels[i]))
                return refuse(why, BMP_CONVERSION_ERROR, WHY_MASK, masks[i], l->bitCount);
    }
    l->tableOffset = afterHeader;
    return nullptr;
}

const char* parseLayout(const uint8_t* data, size_t size, Layout* l, const Refusal& why)
{
    *l = Layout{};
    l->hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    uint64_t infoOffset = l->hasFileHeader ? FILE_HEADER_SIZE : 0;
    if (l->hasFileHeader && !fits(0, FILE_HEADER_SIZE, size))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_SHORT_HEADER, "file header", size);
    // A bare DIB has no offset field: its pixels follow the colour table.
    uint64_t declared = l->hasFileHeader ? read32(data + PIXEL_OFFSET_FIELD) : UINT64_MAX;
    const char* error = parseInfoHeader(data, size, infoOffset, declared, l, why);
    if (error) return error;

    uint64_t tableBytes = (uint64_t)l->tableEntries * l->tableEntrySize;
    if (!fits(l->tableOffset, tableBytes, size))
        return refuse(why, BMP_CONVERSION_ERROR, WHY_TABLE_OUTSIDE, l->tableEntries, size);
    l->pixelOffset = l->hasFileHeader ? declared : l->tableOffset + tableBytes;
    if (l->pixelOffset < l->tableOffset || l->pixelOffset > size)
        return refuse(why, BMP_CONVERSION_ERROR, WHY_PIXEL_OFFSET,
                      (unsigned long long)l->pixelOffset, (unsigned long long)l->tableOffset, size);
    return nullptr;
}

// Bytes between rows of an uncompressed picture, and the bytes its pixels need (the last
// row may lack its filler bytes).
uint64_t uncompressedStride(const Layout& l)
{
    return ((uint64_t)l.width * l.bitCount + 31) / 32 * 4;
}

uint64_t uncompressedBytesNeeded(const Layout& l)
{
    uint64_t rowBits = (uint64_t)l.width * l.bitCount;
    return uncompressedStride(l) * (uint64_t)(l.height - 1) + (rowBits + 7) / 8;
}

// Checks that the file can hold the picture its header describes, before anything is
// allocated for it: every pixel byte for uncompressed data, a bounded expansion for runs.
const char* checkPixelBlock(size_t size, const Layout& l, const Refusal& why)
{
    unsigned long long available = (unsigned long long)(size - l.pixelOffset);
    bool runLength = l.compression == BMP_COMPRESSION_RLE8 || l.compression == BMP_COMPRESSION_RLE4;
    if (!runLength) {
        uint64_t needed = uncompressedBytesNeeded(l);
        if (needed > available)
            return refuse(why, BMP_CONVERSION_ERROR, WHY_PIXELS_SHORT, (unsigned long long)needed,
                          (long long)l.width, (long long)l.height, l.bitCount, available);
        return nullptr;
    }
    uint64_t limit = available * RLE_MAX_PIXELS_PER_BYTE;
    if (limit < RLE_FREE_PIXELS) limit = RLE_FREE_PIXELS;
    if ((uint64_t)l.width * (uint64_t)l.height > limit)
        return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_RATIO, (long long)l.width,
                      (long long)l.height, available, (unsigned long long)RLE_MAX_PIXELS_PER_BYTE);
    return nullptr;
}

// The colour table as RGB triples; only the entries an index can reach are kept.
int readPalette(const uint8_t* data, const Layout& l, uint8_t palette[][3])
{
    int entries = l.tableEntries < (uint32_t)MAX_PALETTE ? (int)l.tableEntries : MAX_PALETTE;
    for (int i = 0; i < entries; ++i) {
        const uint8_t* e = data + l.tableOffset + (uint64_t)i * l.tableEntrySize;
        palette[i][0] = e[2];
        palette[i][1] = e[1];
        palette[i][2] = e[0];
    }
    return entries;
}

void putRgb(uint8_t* out, const uint8_t* rgb)
{
    out[0] = rgb[0];
    out[1] = rgb[1];
    out[2] = rgb[2];
}

// The pixel block is known to be whole (checkPixelBlock).
const char* convertUncompressed(const uint8_t* data, const Layout& l, uint8_t* out,
                                const Refusal& why)
{
    uint64_t stride = uncompressedStride(l);
    uint8_t palette[MAX_PALETTE][3];
    int entries = readPalette(data, l, palette);
    uint32_t indexMask = (1u << (l.bitCount < 16 ? l.bitCount : 0)) - 1;

    for (int64_t r = 0; r < l.height; ++r) {
        const uint8_t* row = data + l.pixelOffset + (uint64_t)r * stride;
        int64_t outRow = l.topDown ? l.height - 1 - r : r;
        uint8_t* dst = out + (uint64_t)outRow * l.width * 3;
        for (int64_t x = 0; x < l.width; ++x, dst += 3) {
            if (l.bitCount <= 8) {
                uint64_t bit = (uint64_t)x * l.bitCount;
                int shift = 8 - (int)l.bitCount - (int)(bit % 8);
                uint32_t index = (row[bit / 8] >> shift) & indexMask;
                if ((int)index >= entries)
                    return refuse(why, BMP_CONVERSION_ERROR, WHY_INDEX, index, entries);
                putRgb(dst, palette[index]);
            } else if (l.bitCount == 24) {
                const uint8_t* p = row + x * 3;
                dst[0] = p[2];
                dst[1] = p[1];
                dst[2] = p[0];
            } else {
                uint32_t pixel = l.bitCount == 16 ? read16(row + x * 2) : read32(row + x * 4);
                for (int c = 0; c < 3; ++c) dst[c] = expandChannel(pixel, l.channels[c]);
            }
        }
    }
    return nullptr;
}

// Run-length data (RLE8 and RLE4): counted runs, absolute runs padded to 16 bits, and the
// escapes for end of line, end of picture and a jump. Pixels never written stay black.
// Some encoders also encode each row's filler up to its stored length (a multiple of
// 32 bits); those pixels are accepted and dropped, a run beyond them is an error.
const char* convertRunLength(const uint8_t* data, size_t size, const Layout& l, uint8_t* out,
                             const Refusal& why)
{
    uint8_t palette[MAX_PALETTE][3];
    int entries = readPalette(data, l, palette);
    bool nibbles = l.compression == BMP_COMPRESSION_RLE4;
    const uint8_t* p = data + l.pixelOffset;
    const uint8_t* end = data + size;
    int64_t rowPixels = nibbles ? (l.width + 7) / 8 * 8 : (l.width + 3) / 4 * 4;
    int64_t x = 0, y = 0;

    auto put = [&](uint32_t index) {
        if (x < l.width) putRgb(out + ((uint64_t)y * l.width + x) * 3, palette[index]);
        ++x;
    };
    auto badIndex = [&](uint32_t index) {
        return refuse(why, BMP_CONVERSION_ERROR, WHY_INDEX, index, entries);
    };

    for (;;) {
        if (end - p < 2) {
            // Data that stops after the last row has been closed is complete.
            if (y >= l.height) return nullptr;
            return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_ENDS, (long long)y,
                          (long long)l.height);
        }
        uint32_t count = p[0];
        uint32_t value = p[1];
        p += 2;
        if (count > 0) {
            if (y >= l.height) return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_BELOW);
            if (x + count > rowPixels)
                return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_ROW, (long long)y);
            uint32_t first = nibbles ? value >> 4 : value;
            uint32_t second = nibbles ? value & 0x0F : value;
            if ((int)first >= entries) return badIndex(first);
            if ((int)second >= entries) return badIndex(second);
            for (uint32_t i = 0; i < count; ++i) put(i % 2 == 0 ? first : second);
        } else if (value == RLE_END_OF_LINE) {
            x = 0;
            if (++y > l.height) return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_BELOW);
        } else if (value == RLE_END_OF_BITMAP) {
            return nullptr;
        } else if (value == RLE_DELTA) {
            if (end - p < 2)
                return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_ENDS, (long long)y,
                              (long long)l.height);
            x += p[0];
            y += p[1];
            p += 2;
            if (x > rowPixels || y > l.height) return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_JUMP);
        } else {
            uint32_t bytes = nibbles ? (value + 1) / 2 : value;
            if ((uint64_t)(end - p) < bytes)
                return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_ENDS, (long long)y,
                              (long long)l.height);
            if (y >= l.height) return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_BELOW);
            if (x + value > rowPixels)
                return refuse(why, BMP_CONVERSION_ERROR, WHY_RLE_ROW, (long long)y);
            for (uint32_t i = 0; i < value; ++i) {
                uint32_t index = nibbles ? (p[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 0x0F : p[i];
                if ((int)index >= entries) return badIndex(index);
                put(index);
            }
            // Absolute runs are padded to a 16-bit boundary; tolerate a missing last pad.
            uint32_t padded = (bytes + 1) & ~1u;
            p += (uint64_t)(end - p) < padded ? (uint64_t)(end - p) : padded;
        }
    }
}

}  // namespace

// ---- Public functions ------------------------------------------------------------------

std::string formatBmpOpenFailed(const char* path)
{
    int length = std::snprintf(nullptr, 0, BMP_OPEN_FAILED_FORMAT, path);
    if (length < 0) return std::string();
    std::string text((size_t)length + 1, '\0');
    std::snprintf(&text[0], text.size(), BMP_OPEN_FAILED_FORMAT, path);
    text.resize((size_t)length);
    return text;
}

bool readBmpFile(const char* path, std::vector<uint8_t>* bytes, std::string* message,
                 std::string* reason)
{
    FileReadResult file = readFile(path, BMP_MAX_FILE_SIZE);
    if (file.error == FileReadError::TooLarge) {
        *message = BMP_CONVERSION_ERROR;
        if (reason)
            *reason = "a file of " + std::to_string(file.size) +
                      " bytes, larger than the largest picture file the game takes (" +
                      std::to_string(BMP_MAX_FILE_SIZE) + " bytes)";
        return false;
    }
    if (file.error == FileReadError::OutOfMemory) {
        *message = BMP_OUT_OF_MEMORY;
        if (reason) *reason = fileReadErrorText(file.error);
        return false;
    }
    if (file.error != FileReadError::None || file.bytes.empty()) {
        *message = formatBmpOpenFailed(path);
        if (reason) *reason = file.bytes.empty() && file.error == FileReadError::None
                                  ? BMP_EMPTY_FILE_REASON
                                  : fileReadErrorText(file.error);
        return false;
    }
    *bytes = std::move(file.bytes);
    return true;
}

const char* decodeBmpImage(const uint8_t* data, size_t size, RgbImage* image, BmpInfo* info,
                           std::string* reason)
{
    *image = RgbImage{0, 0, nullptr};
    Refusal why{reason};
    Layout l;
    const char* error = parseLayout(data, size, &l, why);
    if (error) return error;
    if (info) {
        *info = BmpInfo{l.headerSize, l.bitCount, l.compression, l.tableEntries, l.topDown,
                        l.hasFileHeader};
    }
    error = checkPixelBlock(size, l, why);
    if (error) return error;

    uint64_t bytes = (uint64_t)l.width * (uint64_t)l.height * RGB_IMAGE_COMPONENTS;
    uint8_t* pixels = (uint8_t*)std::calloc(bytes, 1);
    if (!pixels)
        return refuse(why, BMP_OUT_OF_MEMORY, WHY_NO_MEMORY, (long long)l.width, (long long)l.height);
    bool runLength = l.compression == BMP_COMPRESSION_RLE8 || l.compression == BMP_COMPRESSION_RLE4;
    error = runLength ? convertRunLength(data, size, l, pixels, why)
                      : convertUncompressed(data, l, pixels, why);
    if (error) {
        std::free(pixels);
        return error;
    }
    *image = RgbImage{(int32_t)l.width, (int32_t)l.height, pixels};
    return nullptr;
}

const char* bmpCompressionName(uint32_t compression)
{
    switch (compression) {
    case BMP_COMPRESSION_NONE: return "none";
    case BMP_COMPRESSION_RLE8: return "RLE8";
    case BMP_COMPRESSION_RLE4: return "RLE4";
    case BMP_COMPRESSION_BITFIELDS: return "bitfields";
    default: return "unknown";
    }
}

RgbImage* loadBmpImage(const char* path, std::string* message, std::string* reason)
{
    std::vector<uint8_t> bytes;
    if (!readBmpFile(path, &bytes, message, reason)) return nullptr;
    RgbImage decoded;
    const char* error = decodeBmpImage(bytes.data(), bytes.size(), &decoded, nullptr, reason);
    if (error) {
        *message = error;
        return nullptr;
    }
    RgbImage* image = (RgbImage*)std::malloc(sizeof(RgbImage));
    if (!image) {
        std::free(decoded.pixels);
        *message = BMP_OUT_OF_MEMORY;
        if (reason) *reason = fileReadErrorText(FileReadError::OutOfMemory);
        return nullptr;
    }
    *image = decoded;
    return image;
}

void freeRgbImage(RgbImage* image)
{
    if (!image) return;
    std::free(image->pixels);
    std::free(image);
}
