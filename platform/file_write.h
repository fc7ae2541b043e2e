// Whole-file writes that never leave a half-written file behind: the bytes go into a
// temporary file beside the target, are synced, and only then take the target's name.
// Depends on: POSIX.
#pragma once
#include <cstddef>
#include <cstdint>

// ---- Types -----------------------------------------------------------------------------

enum class FileWriteError {
    None,
    ReadOnly,       // the file is there and its owner made it read-only: left as it is
    NotCreated,     // no temporary file could be made beside it
    NotWritten,     // writing, flushing, syncing or closing the temporary file failed
    OldUnreadable,  // the old file's bytes past the new ones could not be read
    NotPlaced,      // the temporary file could not take the file's name
    AlreadyThere,   // createFileOnce: something has the name already
};

// Steps of a replacement, in order; a test can make one of them fail.
enum class WriteStep { None, Create, Write, Flush, Sync, Close, Rename };

// ---- Functions -------------------------------------------------------------------------

// Replaces the file at path with size bytes, through a temporary file in the same directory
// that is renamed over it, so the old file stays whole until the new one is complete; the
// directory is synced afterwards. The new file keeps the old one's permissions (a new one
// gets 0666 less the umask); a file its owner made read-only is refused. With keepOldTail,
// the bytes the old file held past the first size follow the new ones unchanged, so the file
// never gets shorter; an old file that is there but is not a regular file, or cannot be read
// to its end, is then refused. On any failure the old file is left as it was and the
// temporary file is removed. failAt makes that step fail, for tests; a failed Write has
// written half of the bytes. systemError, when given, gets the failing call's errno (EIO for
// a step a test made fail), 0 on success.
FileWriteError replaceFile(const char* path, const uint8_t* bytes, size_t size, bool keepOldTail,
                           WriteStep failAt = WriteStep::None, int* systemError = nullptr);

// Removes the temporary files replaceFile left beside path when its writer was killed: the
// regular files named path's name, ".kerbtmp-" and six letters or digits, and nothing else.
// Only safe while holding a lock every writer of path takes, so none of them is live.
// Returns how many were removed.
int removeStaleTemporaries(const char* path);

// Creates path holding exactly size bytes with the given permission bits, written whole
// under a temporary name and then linked into place: a file that appears at path meanwhile
// is never replaced (AlreadyThere), and path is never seen half-written.
FileWriteError createFileOnce(const char* path, const uint8_t* bytes, size_t size,
                              unsigned permissions);

// Short text for a reason: "read-only", "no temporary file", ... (empty for None).
const char* fileWriteErrorText(FileWriteError error);
