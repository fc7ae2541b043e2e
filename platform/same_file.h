// Whether two paths lead to one file: the same device and inode where the file is there, the
// same resolved path where it is still to be made.
// Depends on: POSIX.
#pragma once

// True when writing through one path would change what the other reads or writes. A path
// that leads to no file yet is compared by the place it would be made at (its links followed
// and its directory resolved). A character device (/dev/null) is never the same file: writes
// to it do not meet.
bool pathsNameOneFile(const char* first, const char* second);
