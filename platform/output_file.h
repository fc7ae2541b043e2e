// Files the game writes as it goes (recordings, screenshots, the trace), opened for writing.
// Depends on: the C library, POSIX.
#pragma once
#include <sys/types.h>

#include <cstdio>
#include <string>

// The mode a file the game creates asks for, narrowed by the umask as fopen's is.
constexpr mode_t NEW_FILE_MODE = 0666;

// The reason openOutputFileNoWait gives for a FIFO that no program reads yet.
extern const char* const OUTPUT_FIFO_UNREAD;  // "a FIFO that nobody reads"

// Creates or empties the file (a new one gets 0666 less the umask) and opens it for writing;
// null with the system's reason in reason on failure.
std::FILE* openOutputFile(const char* path, std::string& reason);

// The same without ever waiting: a FIFO that nobody reads yet is refused with
// OUTPUT_FIFO_UNREAD instead of holding the game up. The file is not passed on to programs
// the game starts.
std::FILE* openOutputFileNoWait(const char* path, std::string& reason);
