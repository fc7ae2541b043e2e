// File reads for the loaders: the bytes of a regular file (or its first few), or why there
// are none.
// Depends on: POSIX open/fstat/read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// ---- Types -----------------------------------------------------------------------------

enum class FileReadError {
    None,
    Missing,      // no such file (or a path through something that is not a directory)
    Directory,
    NotRegular,   // a FIFO, a device or a socket: never read, so never waited on
    Unreadable,   // no permission, or the read itself failed
    OutOfMemory,
    TooLarge,     // larger than the caller's limit: refused before any of it is read
};

struct FileReadResult {
    std::vector<uint8_t> bytes;  // the whole file; empty for an empty file or on failure
    FileReadError error;
    uint64_t size = 0;  // the file's size as the system gives it (set for TooLarge too)
};

// ---- Functions -------------------------------------------------------------------------

// Reads the whole file at path. An empty regular file reads fine as 0 bytes: whether that
// is usable is for the decoder to say. Never blocks on a FIFO or device. A file larger than
// maxSize bytes is refused as TooLarge before anything is allocated or read.
FileReadResult readFile(const char* path, uint64_t maxSize = UINT64_MAX);

// The first bytes of the file at path, at most limit of them (a small number: that many are
// set aside). A read that fails part-way keeps what came before it. Refuses, and never waits
// on, what readFile refuses, except that a file too big to read whole is no reason here.
FileReadResult readFileHead(const char* path, size_t limit);

// Short text for a reason: "missing", "a directory", "not a regular file",
// "cannot be read", "out of memory", "too large" (empty for None).
const char* fileReadErrorText(FileReadError error);
