// Directories: mkdir and chdir, with the system's reason on failure.
// Depends on: directory.h, POSIX.
#include "platform/directory.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool makeDirectory(const char* path, unsigned permissions, std::string& reason)
{
    if (mkdir(path, (mode_t)permissions) == 0 || errno == EEXIST) return true;
    reason = std::strerror(errno);
    return false;
}

bool changeDirectory(const char* path, std::string& reason)
{
    if (chdir(path) == 0) return true;
    reason = std::strerror(errno);
    return false;
}
