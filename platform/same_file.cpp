// Comparing paths by stat, and by where the links of a path not yet there lead.
// Depends on: same_file.h, path_info.h (resolvedPath), POSIX.
#include "platform/same_file.h"

#include "platform/path_info.h"

#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links followed by hand before giving up, as the system itself does (its SYMLOOP_MAX).
const int LINK_FOLLOW_LIMIT = 40;

std::string directoryPart(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string lastPart(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a file not there yet would be made: each link (a dangling one included) followed,
// then the directory resolved. Empty when it cannot be told.
std::string placeToBe(std::string path)
{
    for (int i = 0; i < LINK_FOLLOW_LIMIT; ++i) {
        char target[PATH_MAX];
        ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
        if (n <= 0) break;
        std::string next(target, (size_t)n);
        path = next[0] == '/' ? next : directoryPart(path) + "/" + next;
    }
    std::string directory = resolvedPath(directoryPart(path).c_str());
    if (directory.empty()) return std::string();
    return (directory == "/" ? "" : directory) + "/" + lastPart(path);
}

}  // namespace

bool pathsNameOneFile(const char* first, const char* second)
{
    struct stat a, b;
    bool firstThere = stat(first, &a) == 0;
    bool secondThere = stat(second, &b) == 0;
    if (firstThere && secondThere)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && !S_ISCHR(a.st_mode);
    if (firstThere != secondThere) return false;
    std::string placeA = placeToBe(first), placeB = placeToBe(second);
    return !placeA.empty() && placeA == placeB;
}
