// Making a directory and moving into one.
// Depends on: POSIX.
#pragma once
#include <string>

// Makes the directory with the permission bits given, less the umask. True when it was made
// or the name is taken already (by whatever is there); otherwise false with the system's
// reason in reason.
bool makeDirectory(const char* path, unsigned permissions, std::string& reason);

// Makes path the working directory; false with the system's reason in reason.
bool changeDirectory(const char* path, std::string& reason);
