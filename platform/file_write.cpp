// Whole-file writes: a temporary file beside the target, filled, synced, then renamed or
// linked into place.
// Depends on: file_write.h, the C library, POSIX.
#include "platform/file_write.h"
#include "platform/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The temporary file's name: the file's own, this mark and mkstemp's six letters. The mark
// is what tells a temporary of ours left by a writer that was killed from a file of the
// player's own (a "highscore.txt.backup" is never taken for one).
const char* const TEMP_MARK = ".kerbtmp-";
const char* const TEMP_LETTERS = "XXXXXX";
const size_t TEMP_LETTER_COUNT = 6;
// The reason a step made to fail by a test gives.
const int SIMULATED_ERROR = EIO;
const mode_t KEPT_MODE_BITS = 07777;
const size_t TAIL_COPY_CHUNK = 4096;

std::string directoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t currentUmask()
{
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// mkstemp's pattern for a temporary file beside path; opened with permissions 0600.
std::vector<char> temporaryPattern(const char* path)
{
    std::string pattern = std::string(path) + TEMP_MARK + TEMP_LETTERS;
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    return temp;
}

// Makes the rename itself survive a crash; the file is already in place if this fails.
void syncDirectory(const std::string& dir)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Appends what the old file holds past its first `from` bytes. An old file that is not
// there has nothing to add.
FileWriteError copyOldTail(const char* oldPath, off_t from, std::FILE* out)
{
    int fd = open(oldPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileWriteError::None : FileWriteError::OldUnreadable;
    struct stat st;
    FileWriteError error = FileWriteError::None;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) error = FileWriteError::OldUnreadable;
    if (error == FileWriteError::None && st.st_size > from) {
        if (lseek(fd, from, SEEK_SET) != from) error = FileWriteError::OldUnreadable;
        char buffer[TAIL_COPY_CHUNK];
        while (error == FileWriteError::None) {
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) error = FileWriteError::OldUnreadable;
            if (n <= 0) break;
            if (std::fwrite(buffer, 1, (size_t)n, out) != (size_t)n)
                error = FileWriteError::NotWritten;
        }
    }
    close(fd);
    return error;
}

// Writes the bytes, then the old file's tail when asked, into the open temporary file and
// closes it.
FileWriteError fillTemporaryFile(int fd, const uint8_t* bytes, size_t size, const char* oldPath,
                                 WriteStep failAt)
{
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        return FileWriteError::NotWritten;
    }
    size_t count = failAt == WriteStep::Write ? size / 2 : size;
    FileWriteError error = FileWriteError::None;
    if (std::fwrite(bytes, 1, count, f) != size) error = FileWriteError::NotWritten;
    if (error == FileWriteError::None && oldPath) error = copyOldTail(oldPath, (off_t)size, f);
    bool flushed = error == FileWriteError::None && failAt != WriteStep::Flush &&
                   std::fflush(f) == 0 && failAt != WriteStep::Sync && fsync(fileno(f)) == 0;
    if (error == FileWriteError::None && !flushed) error = FileWriteError::NotWritten;
    bool closed = std::fclose(f) == 0 && failAt != WriteStep::Close;
    if (error == FileWriteError::None && !closed) error = FileWriteError::NotWritten;
    return error;
}

bool writeAll(int fd, const uint8_t* bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

bool somethingAt(const char* path)
{
    struct stat st;
    return lstat(path, &st) == 0;
}

}  // namespace

FileWriteError replaceFile(const char* path, const uint8_t* bytes, size_t size, bool keepOldTail,
                           WriteStep failAt, int* systemError)
{
    int unused = 0;
    int& reason = systemError ? *systemError : unused;
    reason = 0;
    struct stat old;
    bool hadOld = stat(path, &old) == 0;
    // A file its owner made read-only stays as it is.
    if (hadOld && access(path, W_OK) != 0) {
        reason = errno;
        return FileWriteError::ReadOnly;
    }

    std::vector<char> temp = temporaryPattern(path);
    errno = SIMULATED_ERROR;
    int fd = failAt == WriteStep::Create ? -1 : mkstemp(temp.data());
    if (fd < 0) {
        reason = errno;
        return FileWriteError::NotCreated;
    }
    fchmod(fd, hadOld ? (old.st_mode & KEPT_MODE_BITS) : (NEW_FILE_MODE & ~currentUmask()));

    errno = 0;
    FileWriteError error = fillTemporaryFile(fd, bytes, size, keepOldTail ? path : nullptr, failAt);
    if (error != FileWriteError::None) reason = errno ? errno : SIMULATED_ERROR;
    errno = SIMULATED_ERROR;
    if (error == FileWriteError::None &&
        (failAt == WriteStep::Rename || std::rename(temp.data(), path) != 0)) {
        error = FileWriteError::NotPlaced;
        reason = errno;
    }
    if (error != FileWriteError::None) {
        unlink(temp.data());
        return error;
    }
    syncDirectory(directoryOf(path));
    return FileWriteError::None;
}

FileWriteError createFileOnce(const char* path, const uint8_t* bytes, size_t size,
                              unsigned permissions)
{
    std::vector<char> temp = temporaryPattern(path);
    int fd = mkstemp(temp.data());
    if (fd < 0) return FileWriteError::NotCreated;
    bool ok = fchmod(fd, (mode_t)permissions) == 0 && writeAll(fd, bytes, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    FileWriteError error = ok ? FileWriteError::None : FileWriteError::NotWritten;
    if (ok && link(temp.data(), path) != 0) error = FileWriteError::NotPlaced;
    unlink(temp.data());
    // Whatever went wrong, a file that took the name meanwhile is the one to keep.
    if (error != FileWriteError::None && somethingAt(path)) return FileWriteError::AlreadyThere;
    return error;
}

int removeStaleTemporaries(const char* path)
{
    std::string dir = directoryOf(path);
    std::string full(path);
    size_t slash = full.rfind('/');
    std::string prefix = (slash == std::string::npos ? full : full.substr(slash + 1)) + TEMP_MARK;
    DIR* listing = opendir(dir.c_str());
    if (!listing) return 0;
    int removed = 0;
    while (struct dirent* entry = readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        const char* letters = name + prefix.size();
        if (std::strlen(letters) != TEMP_LETTER_COUNT) continue;
        bool lettersOnly = true;
        for (const char* c = letters; *c; ++c)
            if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9')))
                lettersOnly = false;
        std::string stale = (dir == "/" ? std::string() : dir) + "/" + name;
        struct stat st;
        if (lettersOnly && lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            unlink(stale.c_str()) == 0)
            ++removed;
    }
    closedir(listing);
    return removed;
}

const char* fileWriteErrorText(FileWriteError error)
{
    switch (error) {
    case FileWriteError::None: return "";
    case FileWriteError::ReadOnly: return "read-only";
    case FileWriteError::NotCreated: return "no temporary file beside it";
    case FileWriteError::NotWritten: return "cannot be written";
    case FileWriteError::OldUnreadable: return "the old file cannot be read";
    case FileWriteError::NotPlaced: return "cannot be put in place";
    case FileWriteError::AlreadyThere: return "already there";
    }
    return "cannot be written";
}
