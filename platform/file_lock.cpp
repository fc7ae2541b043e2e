// Advisory file locks: flock on a lock file, tried again and again until a deadline.
// Depends on: file_lock.h, POSIX.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

const mode_t LOCK_FILE_MODE = 0666;  // narrowed by the umask: every player of the table locks it
const long RETRY_NANOSECONDS = 20L * 1000 * 1000;  // 20 ms between tries: quick, yet idle
const long NANOSECONDS_PER_MILLISECOND = 1000L * 1000;

}  // namespace

FileLockResult takeFileLock(const char* lockPath, int waitMilliseconds, FileLock& lock,
                            std::string& reason)
{
    lock.fd = -1;
    long waited = 0;
    const long limit = (long)waitMilliseconds * NANOSECONDS_PER_MILLISECOND;
    for (;;) {
        int fd = open(lockPath, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                      LOCK_FILE_MODE);
        if (fd < 0) {
            reason = std::strerror(errno);
            return FileLockResult::Unavailable;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Still the file at lockPath? Its last holder may have removed it meanwhile.
            struct stat held, there;
            if (fstat(fd, &held) == 0 && lstat(lockPath, &there) == 0 &&
                held.st_dev == there.st_dev && held.st_ino == there.st_ino) {
                lock.fd = fd;
                return FileLockResult::Taken;
            }
            close(fd);
            continue;
        }
        int error = errno;
        close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            reason = std::strerror(error);
            return FileLockResult::Unavailable;
        }
        if (waited >= limit) return FileLockResult::Busy;
        struct timespec pause = {0, RETRY_NANOSECONDS};
        nanosleep(&pause, nullptr);
        waited += RETRY_NANOSECONDS;
    }
}

void releaseFileLock(FileLock& lock, const char* lockPath)
{
    if (lock.fd < 0) return;
    unlink(lockPath);
    flock(lock.fd, LOCK_UN);
    close(lock.fd);
    lock.fd = -1;
}
