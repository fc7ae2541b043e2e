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
};

struct FileReadResult {
    std::vector<uint8_t> bytes;  // the whole file; empty for an empty file or on failure
    FileReadError error;
};

// ---- Functions -------------------------------------------------------------------------

// Reads the whole file at path. An empty regular file reads fine as 0 bytes: whether that
// is usable is for the decoder to say. Never blocks on a FIFO or device.
FileReadResult readFile(const char* path);

// The first bytes of the file at path, at most limit of them (a small number: that many are
// set aside). A read that fails part-way keeps what came before it. Refuses, and never waits
// on, what readFile refuses, except that a file too big to read whole is no reason here.
FileReadResult readFileHead(const char* path, size_t limit);

// Short text for a reason: "missing", "a directory", "not a regular file",
// "cannot be read", "out of memory" (empty for None).
const char* fileReadErrorText(FileReadError error);
