// Finding the game's data from the program's own place, and the player's table directory.
// Depends on: data_location.h, highscore_table.h, platform/file_read.h, POSIX.
#include "app/data_location.h"

#include "app/highscore_table.h"
#include "platform/file_read.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// The build passes the install's share directory as seen from its bin directory.
#ifndef KERB_DATA_FROM_PROGRAM
#define KERB_DATA_FROM_PROGRAM "../share/kerbrunner"
#endif

const char* const DATA_BESIDE_PROGRAM = "data";
const char* const DATA_FROM_PROGRAM = KERB_DATA_FROM_PROGRAM;
const char* const TABLE_DIRECTORY_NAME = "kerbrunner";
const char* const DEFAULT_DATA_HOME = ".local/share";
const char* const DEFAULT_LOGIN_NAME = "player";

namespace {

const char* const PROGRAM_LINK = "/proc/self/exe";
const mode_t NEW_DIRECTORY_MODE = 0700;
const char* const COPY_SUFFIX = ".XXXXXX";

const char* const TABLE_COPIED_MESSAGE =
    "kerbrunner: your top-five table is kept in %s from now on; it was copied there from %s,"
    " which is left as it was\n";
const char* const TABLE_NOT_COPIED_MESSAGE =
    "kerbrunner: could not copy the top-five table from %s to %s; it stays where it is\n";
const char* const NO_TABLE_DIRECTORY_MESSAGE =
    "kerbrunner: cannot create %s (%s); the top-five table stays in %s\n";

std::string tableDirectory;
std::string oldTable = HIGHSCORE_FILE;

bool isAbsolute(const char* path) { return path && path[0] == '/'; }

std::string resolved(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

}  // namespace

std::string programDirectory()
{
    char buffer[PATH_MAX];
    ssize_t n = readlink(PROGRAM_LINK, buffer, sizeof buffer - 1);
    if (n <= 0) return "";
    std::string path(buffer, (size_t)n);
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::vector<std::string> dataDirectoryCandidates(const std::string& programDir)
{
    if (programDir.empty()) return {};
    std::string base = programDir == "/" ? "" : programDir;
    return {base + "/" + DATA_BESIDE_PROGRAM, base + "/" + DATA_FROM_PROGRAM};
}

std::string findDataDirectory(const std::vector<std::string>& candidates, const char* probe,
                              std::string& lookedIn)
{
    for (const std::string& dir : candidates) {
        std::string path = dir + "/" + probe;
        FileReadError error = readFile(path.c_str()).error;
        // Too big to read here is still there: the picture loader says what is wrong with it.
        if (error == FileReadError::None || error == FileReadError::OutOfMemory)
            return resolved(dir);
        lookedIn += "  " + dir + " (" + probe + " is " + fileReadErrorText(error) + ")\n";
    }
    return "";
}

std::string playerTableDirectory(const char* xdgDataHome, const char* home)
{
    // A relative XDG_DATA_HOME is not valid and counts as unset.
    if (isAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/" + TABLE_DIRECTORY_NAME;
    if (isAbsolute(home))
        return std::string(home) + "/" + DEFAULT_DATA_HOME + "/" + TABLE_DIRECTORY_NAME;
    return "";
}

bool makeDirectoryPath(const std::string& path, std::string& error)
{
    if (path.empty()) {
        error = "no directory given";
        return false;
    }
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        std::string part = path.substr(0, pos);
        if (part.empty() || part.back() == '/') continue;
        struct stat st;
        if (stat(part.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                error = part + " is not a directory";
                return false;
            }
            continue;
        }
        if (mkdir(part.c_str(), NEW_DIRECTORY_MODE) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = path + " is not a directory";
        return false;
    }
    return true;
}

TableAdoption adoptOldTable(const std::string& oldPath, const std::string& newPath)
{
    struct stat st;
    if (lstat(newPath.c_str(), &st) == 0) return TableAdoption::AlreadyThere;
    FileReadResult old = readFile(oldPath.c_str());
    if (old.error == FileReadError::Missing || old.error == FileReadError::Directory ||
        old.error == FileReadError::NotRegular)
        return TableAdoption::NothingToCopy;
    if (old.error != FileReadError::None) return TableAdoption::Failed;
    mode_t mode = stat(oldPath.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0600;

    // Written whole under a temporary name, then linked into place: a table that appears
    // at the new place meanwhile is never replaced.
    std::string pattern = newPath + COPY_SUFFIX;
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) return TableAdoption::Failed;
    bool ok = fchmod(fd, mode) == 0 && writeAll(fd, old.bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && link(temp.data(), newPath.c_str()) == 0;
    unlink(temp.data());
    if (!ok) return lstat(newPath.c_str(), &st) == 0 ? TableAdoption::AlreadyThere
                                                     : TableAdoption::Failed;
    return TableAdoption::Copied;
}

void setTableLocation(const std::string& playerDirectory, const std::string& oldTablePath)
{
    tableDirectory = playerDirectory;
    oldTable = oldTablePath;
}

std::string preparePlayerTable()
{
    if (tableDirectory.empty()) return oldTable;
    std::string error;
    if (!makeDirectoryPath(tableDirectory, error)) {
        std::fprintf(stderr, NO_TABLE_DIRECTORY_MESSAGE, tableDirectory.c_str(), error.c_str(),
                     oldTable.c_str());
        return oldTable;
    }
    std::string table = tableDirectory + "/" + HIGHSCORE_FILE;
    switch (adoptOldTable(oldTable, table)) {
    case TableAdoption::Copied:
        std::fprintf(stderr, TABLE_COPIED_MESSAGE, table.c_str(), oldTable.c_str());
        break;
    case TableAdoption::Failed:
        std::fprintf(stderr, TABLE_NOT_COPIED_MESSAGE, oldTable.c_str(), table.c_str());
        return oldTable;
    case TableAdoption::NothingToCopy:
    case TableAdoption::AlreadyThere:
        break;
    }
    return table;
}

std::string loginName(const char* userVariable)
{
    if (userVariable && *userVariable) return userVariable;
    const struct passwd* account = getpwuid(getuid());
    if (account && account->pw_name && *account->pw_name) return account->pw_name;
    return DEFAULT_LOGIN_NAME;
}
