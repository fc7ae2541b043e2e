// Windows BMP reader: file bytes in, gap-free RGB rows out (bottom row first).
// Depends on: the platform file read (readBmpFile, loadBmpImage only); nothing else.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- Constants -------------------------------------------------------------------------

// Compression codes of the 40-byte header.
const uint32_t BMP_COMPRESSION_NONE = 0;
const uint32_t BMP_COMPRESSION_RLE8 = 1;
const uint32_t BMP_COMPRESSION_RLE4 = 2;
const uint32_t BMP_COMPRESSION_BITFIELDS = 3;

// Largest side accepted, checked before any pixel is allocated. Every picture becomes a
// texture, and 4096 is the largest side that GL drivers of the last fifteen years all take
// as a texture (GLU would scale anything bigger down before upload anyway); the biggest
// picture the game ships is 2048 wide. The pixel budget follows: at most 4096 x 4096 pixels,
// 48 MiB once decoded, for any file, whatever its compression.
const int64_t BMP_MAX_SIDE = 4096;
const int64_t BMP_MAX_PIXELS = BMP_MAX_SIDE * BMP_MAX_SIDE;
// The largest picture file read at all: the largest picture taken, 4096 x 4096 at 32 bits
// (64 MiB), and 64 KiB for the headers, a palette and the rows' padding. The largest the game
// ships, the 1024 x 768 menu pictures, are 3,145,782 bytes. Checked before anything is read.
const uint64_t BMP_MAX_FILE_SIZE = (uint64_t)BMP_MAX_PIXELS * 4 + 65536;

// Messages of the reader.
extern const char* const BMP_OPEN_FAILED_FORMAT;  // "Failed to open DIB file %s.\n"
extern const char* const BMP_UNKNOWN_FORMAT;      // "Unknown DIB file format."
extern const char* const BMP_CONVERSION_ERROR;    // "Image file conversion error."
extern const char* const BMP_OUT_OF_MEMORY;       // "Out of memory."
extern const char* const BMP_EMPTY_FILE_REASON;   // "empty": the reason for an empty file

// ---- Types -----------------------------------------------------------------------------

// A decoded picture: width x height x RGB_IMAGE_COMPONENTS bytes, red first, rows without
// gaps (aligned to RGB_IMAGE_ROW_ALIGNMENT byte), the first row is the bottom row of the
// picture (top-down files are turned on reading).
const int RGB_IMAGE_COMPONENTS = 3;
const int RGB_IMAGE_ROW_ALIGNMENT = 1;
struct RgbImage {
    int32_t width;
    int32_t height;
    uint8_t* pixels;  // malloc'ed; freed by freeRgbImage
};

// What the headers said, for tools that describe a file.
struct BmpInfo {
    uint32_t headerSize;     // 12 or 40
    uint32_t bitCount;
    uint32_t compression;    // BMP_COMPRESSION_*
    uint32_t paletteEntries;
    bool topDown;
    bool hasFileHeader;      // false for a bare DIB without "BM"
};

// ---- Functions -------------------------------------------------------------------------

// The open message with the path exactly as passed: "Failed to open DIB file <path>.\n".
std::string formatBmpOpenFailed(const char* path);

// Reads a picture file's bytes. Returns true with *bytes filled, else false with *message
// set to the text to show: the open message (also for an empty file, which has no contents
// to map) or BMP_OUT_OF_MEMORY. *reason, when given, says why for people: "missing",
// "a directory", "not a regular file" (a FIFO or a device is never opened for a wait), ...
bool readBmpFile(const char* path, std::vector<uint8_t>* bytes, std::string* message,
                 std::string* reason = nullptr);

// Decodes a BMP held in memory into *image. Returns null on success, else one of the
// reader's messages; nothing is shown and nothing is left allocated on failure. *info,
// when given, is filled as soon as the headers make sense, even if the pixels then fail.
// *reason, when given, receives the exact cause of a refusal in words (the message box
// keeps its fixed text). Sizes are checked against the file and BMP_MAX_SIDE before the
// pixels are allocated.
const char* decodeBmpImage(const uint8_t* data, size_t size, RgbImage* image, BmpInfo* info,
                           std::string* reason = nullptr);

// Name of a compression code for people: "none", "RLE8", "RLE4", "bitfields" or "unknown".
const char* bmpCompressionName(uint32_t compression);

// Reads and decodes the file at path. Returns the picture, or null with *message set to
// the text to show; showing it, and what follows, is the caller's.
RgbImage* loadBmpImage(const char* path, std::string* message, std::string* reason = nullptr);
// Frees the pixel buffer, then the record (either may be null).
void freeRgbImage(RgbImage* image);
