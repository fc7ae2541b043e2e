// Finding the game's data from the program's own place, and the player's table directory.
// Depends on: data_location.h, highscore_table.h, terminal_text.h, the platform's file read
// and write, path look-ups, directories and environment.
#include "app/data_location.h"
#include "app/terminal_text.h"

#include "app/highscore_table.h"
#include "platform/directory.h"
#include "platform/environment.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/path_info.h"
#include "world/texture_table.h"

#include <cstdio>

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

const unsigned NEW_DIRECTORY_MODE = 0700;
const unsigned PERMISSION_BITS = 0777;
const unsigned UNKNOWN_OLD_TABLE_MODE = 0600;

const char* const TABLE_COPIED_MESSAGE =
    "kerbrunner: your top-five table is kept in %s from now on; it was copied there from %s,"
    " which is left as it was\n";
const char* const OLD_TABLE_TOO_LARGE_MESSAGE =
    "kerbrunner: the top-five table %s is %llu bytes, larger than the largest table (%llu "
    "bytes): not read\n";
const char* const TABLE_NOT_COPIED_MESSAGE =
    "kerbrunner: could not copy the top-five table from %s to %s; it stays where it is\n";
const char* const NO_TABLE_DIRECTORY_MESSAGE =
    "kerbrunner: cannot create %s (%s); the top-five table stays in %s\n";
const char* const DATA_DIRECTORY_UNUSABLE_MESSAGE =
    "kerbrunner: cannot use the data directory %s: %s\n";
// The working directory, the file looked for and why it is not usable.
const char* const NO_DATA_MESSAGE =
    "kerbrunner: no game data in %s (%s is %s).\n"
    "Start the game with ./play, or name the directory of the generated data with --data,\n"
    "for example from the source directory: build/kerbrunner --data build/data\n";
// Started without --data, the places looked in beside the program, one per line.
const char* const NO_DATA_BESIDE_PROGRAM_MESSAGE =
    "kerbrunner: no game data beside the program; looked in:\n%s"
    "Start the game with ./play, or name the directory of the generated data with --data,\n"
    "for example from the source directory: build/kerbrunner --data build/data\n";

std::string tableDirectory;
std::string oldTable = HIGHSCORE_FILE;

bool isAbsolute(const char* path) { return path && path[0] == '/'; }

std::string resolved(const std::string& path)
{
    std::string real = resolvedPath(path.c_str());
    return real.empty() ? path : real;
}

// The first picture the game loads stands for all its data: without it the game could only
// stop at its first message box, after the player has typed a name.
const char* dataProbe() { return texturePathForSlot(MENU_FIRST_SLOT); }

}  // namespace

std::string programDirectory()
{
    std::string path = programPath();
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
        PathKind kind = pathKind(part.c_str());
        if (kind == PathKind::Other) {
            error = part + " is not a directory";
            return false;
        }
        std::string reason;
        if (kind == PathKind::Nothing && !makeDirectory(part.c_str(), NEW_DIRECTORY_MODE, reason)) {
            error = part + ": " + reason;
            return false;
        }
    }
    if (pathKind(path.c_str()) != PathKind::Directory) {
        error = path + " is not a directory";
        return false;
    }
    return true;
}

TableAdoption adoptOldTable(const std::string& oldPath, const std::string& newPath)
{
    if (pathTaken(newPath.c_str())) return TableAdoption::AlreadyThere;
    FileReadResult old = readFile(oldPath.c_str(), HIGHSCORE_MAX_FILE_SIZE);
    if (old.error == FileReadError::TooLarge)
        std::fprintf(stderr, OLD_TABLE_TOO_LARGE_MESSAGE, shownPath(oldPath).c_str(),
                     (unsigned long long)old.size, (unsigned long long)HIGHSCORE_MAX_FILE_SIZE);
    if (old.error == FileReadError::Missing || old.error == FileReadError::Directory ||
        old.error == FileReadError::NotRegular)
        return TableAdoption::NothingToCopy;
    if (old.error != FileReadError::None) return TableAdoption::Failed;
    unsigned mode = UNKNOWN_OLD_TABLE_MODE;
    if (pathPermissions(oldPath.c_str(), mode)) mode &= PERMISSION_BITS;

    // A table that appears at the new place meanwhile is never replaced.
    switch (createFileOnce(newPath.c_str(), old.bytes.data(), old.bytes.size(), mode)) {
    case FileWriteError::None: return TableAdoption::Copied;
    case FileWriteError::AlreadyThere: return TableAdoption::AlreadyThere;
    default: return TableAdoption::Failed;
    }
}

std::string workingDirectory()
{
    std::string dir = currentDirectory();
    return dir.empty() ? "." : dir;
}

bool enterDataDirectory(const std::string& given, std::string& notFoundBesideProgram)
{
    // Without --data the data is where the build or the install put it beside the program.
    std::string dataDir = given, lookedIn;
    if (dataDir.empty())
        dataDir = findDataDirectory(dataDirectoryCandidates(programDirectory()), dataProbe(),
                                    lookedIn);
    notFoundBesideProgram = dataDir.empty() ? lookedIn : "";
    std::string reason;
    if (!dataDir.empty() && !changeDirectory(dataDir.c_str(), reason)) {
        std::fprintf(stderr, DATA_DIRECTORY_UNUSABLE_MESSAGE, shownPath(dataDir).c_str(),
                     reason.c_str());
        return false;
    }
    return true;
}

bool gameDataPresent(const std::string& notFoundBesideProgram)
{
    if (!notFoundBesideProgram.empty()) {
        std::fprintf(stderr, NO_DATA_BESIDE_PROGRAM_MESSAGE,
                     shownPath(notFoundBesideProgram).c_str());
        return false;
    }
    FileReadError error = readFile(dataProbe()).error;
    // Too big to read here is still there: the picture loader says what is wrong with it.
    if (error == FileReadError::None || error == FileReadError::OutOfMemory) return true;
    std::fprintf(stderr, NO_DATA_MESSAGE, shownPath(workingDirectory()).c_str(), dataProbe(),
                 fileReadErrorText(error));
    return false;
}

void setTableLocation(const std::string& playerDirectory, const std::string& oldTablePath)
{
    tableDirectory = playerDirectory;
    oldTable = oldTablePath;
}

void locatePlayerTable()
{
    // The table is the player's, whichever data the game was started with; earlier versions
    // kept it in the data directory, the working directory by now.
    setTableLocation(playerTableDirectory(environmentVariable("XDG_DATA_HOME"),
                                          environmentVariable("HOME")),
                     workingDirectory() + "/" + HIGHSCORE_FILE);
}

std::string preparePlayerTable()
{
    if (tableDirectory.empty()) return oldTable;
    std::string error;
    if (!makeDirectoryPath(tableDirectory, error)) {
        std::fprintf(stderr, NO_TABLE_DIRECTORY_MESSAGE, shownPath(tableDirectory).c_str(),
                     error.c_str(), shownPath(oldTable).c_str());
        return oldTable;
    }
    std::string table = tableDirectory + "/" + HIGHSCORE_FILE;
    switch (adoptOldTable(oldTable, table)) {
    case TableAdoption::Copied:
        std::fprintf(stderr, TABLE_COPIED_MESSAGE, shownPath(table).c_str(),
                     shownPath(oldTable).c_str());
        break;
    case TableAdoption::Failed:
        std::fprintf(stderr, TABLE_NOT_COPIED_MESSAGE, shownPath(oldTable).c_str(),
                     shownPath(table).c_str());
        return oldTable;
    case TableAdoption::NothingToCopy:
    case TableAdoption::AlreadyThere:
        break;
    }
    return table;
}

std::string playerTableToRead()
{
    if (tableDirectory.empty()) return oldTable;
    std::string table = tableDirectory + "/" + HIGHSCORE_FILE;
    return pathTaken(table.c_str()) ? table : oldTable;
}

std::string loginName(const char* userVariable)
{
    if (userVariable && *userVariable) return userVariable;
    std::string account = accountName();
    return account.empty() ? DEFAULT_LOGIN_NAME : account;
}
