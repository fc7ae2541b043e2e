// Path look-ups: stat, lstat, access, realpath, the /proc link to the program, getcwd.
// Depends on: path_info.h, POSIX.
#include "platform/path_info.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

const char* const PROGRAM_LINK = "/proc/self/exe";
const unsigned PERMISSION_BITS = 07777;
const size_t WORKING_DIRECTORY_CAPACITY = 4096;
const char* const NOT_A_DIRECTORY = "not a directory";

}  // namespace

PathKind pathKind(const char* path)
{
    struct stat st;
    if (stat(path, &st) != 0) return PathKind::Nothing;
    return S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::Other;
}

bool pathTaken(const char* path)
{
    struct stat st;
    return lstat(path, &st) == 0;
}

bool writableDirectory(const char* path, std::string& reason)
{
    struct stat st;
    if (stat(path, &st) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        reason = NOT_A_DIRECTORY;
        return false;
    }
    if (access(path, W_OK | X_OK) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

bool pathIsLink(const char* path)
{
    struct stat st;
    return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

bool pathPermissions(const char* path, unsigned& permissions)
{
    struct stat st;
    if (stat(path, &st) != 0) return false;
    permissions = st.st_mode & PERMISSION_BITS;
    return true;
}

std::string resolvedPath(const char* path)
{
    char buffer[PATH_MAX];
    return realpath(path, buffer) ? std::string(buffer) : std::string();
}

std::string programPath()
{
    char buffer[PATH_MAX];
    ssize_t n = readlink(PROGRAM_LINK, buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, (size_t)n) : std::string();
}

std::string currentDirectory()
{
    std::vector<char> cwd(WORKING_DIRECTORY_CAPACITY);
    return getcwd(cwd.data(), cwd.size()) ? std::string(cwd.data()) : std::string();
}
