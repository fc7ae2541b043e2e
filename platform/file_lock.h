// An advisory lock that several copies of the game take before they read, change and write
// back a shared file, so that no two of them interleave.
// Depends on: POSIX flock.
#pragma once
#include <string>

enum class FileLockResult {
    Taken,        // held until released
    Busy,         // another process held it for the whole wait
    Unavailable,  // the lock file cannot be made or opened (a read-only directory...)
};

struct FileLock {
    int fd = -1;
};

// Takes the lock file at lockPath (made if missing), waiting at most waitMilliseconds. A lock
// file its holder removed meanwhile is not taken: the one now at lockPath is tried instead,
// so two processes never hold two different files. reason gets the system's words when the
// result is Unavailable.
FileLockResult takeFileLock(const char* lockPath, int waitMilliseconds, FileLock& lock,
                            std::string& reason);
// Removes the lock file at lockPath, then releases the lock (nothing for one not taken): no
// lock file stays beside the shared file between uses.
void releaseFileLock(FileLock& lock, const char* lockPath);
