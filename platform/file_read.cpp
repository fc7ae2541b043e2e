// Whole-file reads: open without waiting, refuse what is not a regular file, then read.
// Depends on: file_read.h, POSIX.
#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace {

const char* const TEXT_MISSING = "missing";
const char* const TEXT_DIRECTORY = "a directory";
const char* const TEXT_NOT_REGULAR = "not a regular file";
const char* const TEXT_UNREADABLE = "cannot be read";
const char* const TEXT_OUT_OF_MEMORY = "out of memory";
const char* const TEXT_TOO_LARGE = "too large";

FileReadResult failure(FileReadError error, uint64_t size = 0)
{
    return FileReadResult{{}, error, size};
}

FileReadError openError(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileReadError::Missing : FileReadError::Unreadable;
}

// Reads up to bytes.size() bytes; a file that shrank meanwhile keeps what was there.
bool readAll(int fd, std::vector<uint8_t>& bytes)
{
    size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += (size_t)n;
    }
    bytes.resize(got);
    return true;
}

// What keeps an open file from being read as a regular file.
FileReadError kindError(const struct stat& st)
{
    if (S_ISDIR(st.st_mode)) return FileReadError::Directory;
    if (!S_ISREG(st.st_mode)) return FileReadError::NotRegular;
    return FileReadError::None;
}

}  // namespace

FileReadResult readFile(const char* path, uint64_t maxSize)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failure(openError(errno));

    struct stat st;
    FileReadError error = FileReadError::None;
    if (fstat(fd, &st) != 0)
        error = FileReadError::Unreadable;
    else
        error = kindError(st);
    if (error == FileReadError::None && st.st_size >= 0 && (uint64_t)st.st_size > maxSize)
        error = FileReadError::TooLarge;
    if (error == FileReadError::None &&
        (st.st_size < 0 || (uint64_t)st.st_size > std::vector<uint8_t>().max_size()))
        error = FileReadError::OutOfMemory;
    if (error != FileReadError::None) {
        close(fd);
        return failure(error, error == FileReadError::TooLarge ? (uint64_t)st.st_size : 0);
    }

    FileReadResult result{{}, FileReadError::None, (uint64_t)st.st_size};
    try {
        result.bytes.resize((size_t)st.st_size);
    } catch (const std::bad_alloc&) {
        close(fd);
        return failure(FileReadError::OutOfMemory);
    }
    bool ok = readAll(fd, result.bytes);
    close(fd);
    if (!ok) return failure(FileReadError::Unreadable);
    return result;
}

FileReadResult readFileHead(const char* path, size_t limit)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failure(openError(errno));
    struct stat st;
    FileReadError error = fstat(fd, &st) != 0 ? FileReadError::Unreadable : kindError(st);
    if (error != FileReadError::None) {
        close(fd);
        return failure(error);
    }
    FileReadResult result{std::vector<uint8_t>(limit), FileReadError::None, (uint64_t)st.st_size};
    size_t got = 0;
    while (got < limit) {
        ssize_t n = read(fd, result.bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += (size_t)n;
    }
    close(fd);
    result.bytes.resize(got);
    return result;
}

const char* fileReadErrorText(FileReadError error)
{
    switch (error) {
    case FileReadError::None: return "";
    case FileReadError::Missing: return TEXT_MISSING;
    case FileReadError::Directory: return TEXT_DIRECTORY;
    case FileReadError::NotRegular: return TEXT_NOT_REGULAR;
    case FileReadError::Unreadable: return TEXT_UNREADABLE;
    case FileReadError::OutOfMemory: return TEXT_OUT_OF_MEMORY;
    case FileReadError::TooLarge: return TEXT_TOO_LARGE;
    }
    return TEXT_UNREADABLE;
}
