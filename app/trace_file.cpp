// Opening the trace without blocking, and writing it line by line.
// Depends on: trace_file.h, POSIX files.
#include "app/trace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const mode_t TRACE_FILE_MODE = 0666;  // narrowed by the umask, as fopen would
const int EXIT_TRACE_FAILED = 1;
const char* const TRACE_FIFO_UNREAD = "a FIFO that nobody reads";
const char* const TRACE_WRITE_FAILED_FORMAT =
    "kerbrunner: %s: cannot write the trace at frame %ld: %s\n";

std::FILE* traceFile = nullptr;
std::string tracePath;

void closeTrace()
{
    if (traceFile) std::fclose(traceFile);
    traceFile = nullptr;
}

}  // namespace

bool harnessOpenTrace(const std::string& path, std::string& error)
{
    // Without waiting: a FIFO nobody reads yet is refused (ENXIO) instead of blocking here.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, TRACE_FILE_MODE);
    int flags = fd < 0 ? -1 : fcntl(fd, F_GETFL);
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        traceFile = fdopen(fd, "w");
    if (!traceFile) {
        error = path + ": cannot write the trace: " +
                (errno == ENXIO ? TRACE_FIFO_UNREAD : std::strerror(errno));
        if (fd >= 0) close(fd);
        return false;
    }
    tracePath = path;
    std::atexit(closeTrace);
    return true;
}

bool traceOpen() { return traceFile != nullptr; }

void writeTraceLine(long frame, const std::string& line)
{
    // A trace that silently stops would pass for a run that stopped: a failed write ends it.
    if (std::fprintf(traceFile, "%s\n", line.c_str()) < 0 || std::fflush(traceFile) != 0) {
        std::fprintf(stderr, TRACE_WRITE_FAILED_FORMAT, tracePath.c_str(), frame,
                     std::strerror(errno));
        std::exit(EXIT_TRACE_FAILED);
    }
}
