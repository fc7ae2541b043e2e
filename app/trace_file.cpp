// Opening the trace without blocking, and writing it line by line.
// Depends on: trace_file.h, terminal_text.h, POSIX files.
#include "app/trace_file.h"
#include "app/terminal_text.h"

#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int EXIT_TRACE_FAILED = 1;
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
    // A FIFO nobody reads yet is refused instead of holding the game up before its window.
    std::string reason;
    traceFile = openOutputFileNoWait(path.c_str(), reason);
    if (!traceFile) {
        error = shownPath(path) + ": cannot write the trace: " + reason;
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
        std::fprintf(stderr, TRACE_WRITE_FAILED_FORMAT, shownPath(tracePath).c_str(), frame,
                     std::strerror(errno));
        std::exit(EXIT_TRACE_FAILED);
    }
}
