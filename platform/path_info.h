// Looking paths up without changing anything: what is at a path, where it really leads, the
// program's own file and the working directory.
// Depends on: POSIX.
#pragma once
#include <string>

enum class PathKind {
    Nothing,    // nothing there, or the path cannot be looked at
    Directory,  // a directory, or a link to one
    Other,      // a file, a FIFO, a device...
};

// What the path leads to, links followed.
PathKind pathKind(const char* path);
// Whether anything has the name, a link that leads nowhere included.
bool pathTaken(const char* path);
// Whether files can be made in the directory the path leads to; false with why in reason
// ("not a directory" for a file or a device, the system's reason for a loop of links or a
// directory the user may not write).
bool writableDirectory(const char* path, std::string& reason);
// Whether the name itself is a symbolic link (whatever it leads to, if anything).
bool pathIsLink(const char* path);
// The permission bits (07777) of what the path leads to; false when it cannot be looked at.
bool pathPermissions(const char* path, unsigned& permissions);
// The absolute path with every link and "." or ".." resolved, or empty when it cannot be.
std::string resolvedPath(const char* path);
// The running program's own file as the system knows it, or empty.
std::string programPath();
// The working directory, or empty when it cannot be told.
std::string currentDirectory();
