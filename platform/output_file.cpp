// Output files: fopen, or open without waiting and then made blocking for the writes.
// Depends on: output_file.h, the C library, POSIX.
#include "platform/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const OUTPUT_FIFO_UNREAD = "a FIFO that nobody reads";

std::FILE* openOutputFile(const char* path, std::string& reason)
{
    std::FILE* f = std::fopen(path, "w");
    if (!f) reason = std::strerror(errno);
    return f;
}

std::FILE* openOutputFileNoWait(const char* path, std::string& reason)
{
    // A FIFO nobody reads yet is refused (ENXIO) instead of blocking here.
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, NEW_FILE_MODE);
    int flags = fd < 0 ? -1 : fcntl(fd, F_GETFL);
    std::FILE* f = nullptr;
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) f = fdopen(fd, "w");
    if (!f) {
        reason = errno == ENXIO ? OUTPUT_FIFO_UNREAD : std::strerror(errno);
        if (fd >= 0) close(fd);
    }
    return f;
}
