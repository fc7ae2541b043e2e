// Where the game finds its data and where it keeps the player's top-five table.
// The data is found from the program's own file: "data" beside it in the build tree, the
// install's share directory relative to it otherwise. The table lives in the player's data
// directory ($XDG_DATA_HOME/kerbrunner, by default ~/.local/share/kerbrunner); a table left
// in the game's data directory by earlier versions is copied there on first use.
// Depends on: highscore_table.h (the file name), texture_table.h (the picture that stands for
// the data), the platform's file read and write, path look-ups, directories and environment.
#pragma once
#include <string>
#include <vector>

extern const char* const DATA_BESIDE_PROGRAM;   // "data": the build tree's layout
extern const char* const DATA_FROM_PROGRAM;     // "../share/kerbrunner" for an install
extern const char* const TABLE_DIRECTORY_NAME;  // "kerbrunner"
extern const char* const DEFAULT_DATA_HOME;     // ".local/share", below $HOME
extern const char* const DEFAULT_LOGIN_NAME;    // "player"

// The directory of the running program's file (from /proc/self/exe), or empty.
std::string programDirectory();

// The directories to look for data in, in order, for a program in programDir; none for an
// empty programDir.
std::vector<std::string> dataDirectoryCandidates(const std::string& programDir);

// The first candidate whose probe file (a path relative to it) is there, or empty. For each
// candidate tried without success, a line "  DIR (PROBE is REASON)\n" goes into lookedIn.
std::string findDataDirectory(const std::vector<std::string>& candidates, const char* probe,
                              std::string& lookedIn);

// The directory of the player's table: $XDG_DATA_HOME/kerbrunner when that is an absolute
// path, otherwise $HOME/.local/share/kerbrunner; empty when neither is known.
std::string playerTableDirectory(const char* xdgDataHome, const char* home);

// Creates path and its missing parents (mode 0700, narrowed by the umask). True when path is
// a directory afterwards; otherwise false with the reason in error.
bool makeDirectoryPath(const std::string& path, std::string& error);

enum class TableAdoption {
    NothingToCopy,  // no regular file at the old place
    AlreadyThere,   // the new place has a table (or something else) already: nothing done
    Copied,         // the old table's bytes are now at the new place as well
    Failed,         // the copy could not be made; the new place is left without a file
};

// Copies the table file at oldPath to newPath when newPath does not exist yet and oldPath is
// a regular file. The old file is never changed, and an existing newPath never replaced.
TableAdoption adoptOldTable(const std::string& oldPath, const std::string& newPath);

// The working directory, or "." when it cannot be told.
std::string workingDirectory();

// Start-up: makes the data directory the working directory: the one given (--data), else the
// first found beside the program. False, after saying why on stderr, when it cannot be
// entered. When none was found beside the program, notFoundBesideProgram lists the places
// looked in ("  DIR (PROBE is REASON)\n" each); otherwise it is empty.
bool enterDataDirectory(const std::string& given, std::string& notFoundBesideProgram);

// Start-up, before the name prompt: whether the working directory holds the game's data.
// False, after saying on stderr where it was looked for and how to start the game, when
// nothing was found beside the program or the first picture is not usable.
bool gameDataPresent(const std::string& notFoundBesideProgram);

// Set once at start-up: the player's table directory (may be empty) and the table's old
// place in the game's data directory.
void setTableLocation(const std::string& playerDirectory, const std::string& oldTablePath);

// setTableLocation from the environment ($XDG_DATA_HOME, $HOME) and the working directory,
// once it is the data directory.
void locatePlayerTable();

// The path the end of a game reads and writes. On first use it creates the player's
// directory and copies an old table there, saying so on stderr. Without a player directory,
// or when it cannot be made or the old table cannot be copied, the old place is used.
std::string preparePlayerTable();

// The path a game that only shows the table reads, making and copying nothing: the player's
// table when there is one, the old place otherwise (which preparePlayerTable would copy).
std::string playerTableToRead();

// The login name for the table: $USER when set, otherwise the account's name, otherwise
// "player".
std::string loginName(const char* userVariable);
