// The top-five table of "highscore.txt": ranking and merging over its 60 bytes, reading the
// file, and replacing it without ever leaving a half-written table behind.
// Depends on: highscore_table.h, terminal_text.h, the platform file read and atomic file write.
#include "app/highscore_table.h"
#include "app/terminal_text.h"

#include "platform/file_lock.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/path_info.h"

#include <cstdio>
#include <cstring>

const char* const HIGHSCORE_FILE = "highscore.txt";

const char* const ITEMS_READ_FORMAT = "Number of items read = %d\n";
const char* const CONTENTS_FORMAT = "Contents of buffer = %.25s\n";
const char* const FILE_NOT_OPENED_LINE = "File could not be opened\n";
const char* const NOT_IN_BEST_FIVE_LINE = " not in the best five\n";
const char* const ITEMS_WRITTEN_FORMAT = "Wrote %d items\n";
const char* const WRITE_FAILED_LINE = "Problem opening the file\n";

HighscoreTable highscoreTable = {};

namespace {

const int REPORT_LINE_SIZE = 96;
const int MILLISECONDS_PER_SECOND = 1000;
const char* const NOT_SAVED_FORMAT = "kerbrunner: your score was not saved in %s: %s\n";
// The table screen's line: the reason without the path, which the console line gives.
const char* const NOT_SAVED_SCREEN_PREFIX = "Your score was not saved: ";
// The lock file beside the table, "highscore.txt.lock".
const char* const LOCK_SUFFIX = ".lock";
// Another game holds the lock only for its read, rank and write of 60 bytes (milliseconds,
// a slow disk's sync included); 5 s outlasts that by far, yet is a short wait for the player.
const int HIGHSCORE_LOCK_WAIT_MILLISECONDS = 5000;
// The player's notes or line ends past the 60 bytes of a hand-made table stay after it.
const bool KEEP_OLD_TAIL = true;

std::string formatLine(const char* format, int value)
{
    char line[REPORT_LINE_SIZE];
    std::snprintf(line, sizeof line, format, value);
    return line;
}

}  // namespace

std::string highscoreNotSavedText;

HighscoreTable tableFromBytes(const uint8_t* data, size_t size)
{
    HighscoreTable table = {};
    if (data && size > 0)
        std::memcpy(&table, data, size < sizeof table ? size : sizeof table);
    return table;
}

int storedScore(const HighscoreRecord& record)
{
    const uint8_t* b = record.bytes + RECORD_SCORE_OFFSET;
    return ((int8_t)b[0] - '0') * 100 + ((int8_t)b[1] - '0') * 10 +
           ((int8_t)b[2] - '0');
}

int rankPosition(const HighscoreTable& table, int score)
{
    for (int p = 0; p < HIGHSCORE_RECORD_COUNT; ++p)
        if (storedScore(table.records[p]) < score) return p;
    return NOT_RANKED;
}

void insertRecord(HighscoreTable& table, int position, const char* scoreDigits, const char* name)
{
    if (position < 0 || position >= HIGHSCORE_RECORD_COUNT) return;
    for (int i = HIGHSCORE_RECORD_COUNT - 2; i >= position; --i)
        table.records[i + 1] = table.records[i];
    HighscoreRecord& r = table.records[position];
    std::memcpy(r.bytes, name, RECORD_NAME_SIZE);
    std::memcpy(r.bytes + RECORD_SCORE_OFFSET, scoreDigits, SCORE_DIGIT_COUNT);
}

void formatScoreText(int score, char* text)
{
    text[0] = (char)(score / 100 + '0');
    text[1] = (char)((score / 10) % 10 + '0');
    text[2] = (char)(score % 10 + '0');
    text[3] = '\0';
}

std::string readReport(int itemsRead, const HighscoreTable& table)
{
    char contents[REPORT_LINE_SIZE];
    // The precision stops the echo after 25 bytes even where the table holds no NUL.
    const char* bytes = (const char*)table.records[0].bytes;
    std::snprintf(contents, sizeof contents, CONTENTS_FORMAT, bytes);
    return formatLine(ITEMS_READ_FORMAT, itemsRead) + contents;
}

std::string writtenReport(int itemsWritten) { return formatLine(ITEMS_WRITTEN_FORMAT, itemsWritten); }

int readHighscoreFile(const std::string& path, HighscoreTable& table, uint64_t* fileSize)
{
    // Never waits: a FIFO in the table's place cannot hold the game up.
    FileReadResult file = readFileHead(path.c_str(), HIGHSCORE_TABLE_SIZE);
    if (file.error != FileReadError::None) return -1;
    table = tableFromBytes(file.bytes.data(), file.bytes.size());
    if (fileSize) *fileSize = file.size;
    return (int)file.bytes.size();
}

std::string writeHighscoreFile(const std::string& path, const HighscoreTable& table,
                               WriteStep failAt)
{
    // A table that is a link is written through to the file it leads to, which is replaced
    // as a whole like any table; the link stays.
    std::string target = path;
    if (pathIsLink(path.c_str())) {
        target = resolvedPath(path.c_str());
        if (target.empty()) return "a symbolic link that leads nowhere";
    }
    int systemError = 0;
    FileWriteError error = replaceFile(target.c_str(), (const uint8_t*)&table, sizeof table,
                                       KEEP_OLD_TAIL, failAt, &systemError);
    if (error == FileWriteError::None) return "";
    std::string reason = fileWriteErrorText(error);
    if (systemError != 0) reason += std::string(" (") + std::strerror(systemError) + ")";
    return reason;
}

void updateHighscores(const std::string& path, int score, const char* scoreDigits,
                      const char* name, HighscoreTable& table, std::string& console,
                      WriteStep failAt)
{
    // Reading, ranking and writing back is one step no other game may interleave with,
    // or the record of the one that writes first is lost. A directory where no lock file
    // can be made is one where no table can be written either: the write says why.
    highscoreNotSavedText.clear();
    const std::string lockPath = path + LOCK_SUFFIX;
    FileLock lock;
    std::string lockReason;
    FileLockResult locked =
        takeFileLock(lockPath.c_str(), HIGHSCORE_LOCK_WAIT_MILLISECONDS, lock, lockReason);
    // Temporaries a killed game left behind; with the lock held, no live game is writing one.
    if (locked == FileLockResult::Taken) {
        removeStaleTemporaries(path.c_str());
        // A table behind a link is replaced in its target's directory: its leftovers are there.
        std::string target = pathIsLink(path.c_str()) ? resolvedPath(path.c_str()) : "";
        if (!target.empty()) removeStaleTemporaries(target.c_str());
    }

    table = HighscoreTable{};
    uint64_t fileSize = 0;
    int itemsRead = readHighscoreFile(path, table, &fileSize);
    if (itemsRead >= 0) console += readReport(itemsRead, table);
    else console += FILE_NOT_OPENED_LINE;

    int position = rankPosition(table, score);
    if (position == NOT_RANKED) {
        console += NOT_IN_BEST_FIVE_LINE;
        releaseFileLock(lock, lockPath.c_str());
        return;
    }
    insertRecord(table, position, scoreDigits, name);
    std::string reason, shortReason;
    if (locked == FileLockResult::Busy) {
        reason = "another game held the table's lock " + lockPath + " for " +
                 std::to_string(HIGHSCORE_LOCK_WAIT_MILLISECONDS / MILLISECONDS_PER_SECOND) +
                 " seconds; the table is left as it was";
        shortReason = "another game kept the table busy";
    } else if (fileSize > HIGHSCORE_MAX_FILE_SIZE) {
        reason = "a file of " + std::to_string(fileSize) + " bytes, larger than the largest " +
                 "table (" + std::to_string(HIGHSCORE_MAX_FILE_SIZE) + " bytes); it is left as it was";
        shortReason = "the table's file is too large to be a table";
    } else {
        reason = shortReason = writeHighscoreFile(path, table, failAt);
    }
    releaseFileLock(lock, lockPath.c_str());
    if (reason.empty()) {
        console += writtenReport(HIGHSCORE_TABLE_SIZE);
        return;
    }
    console += WRITE_FAILED_LINE;
    highscoreNotSavedText = NOT_SAVED_SCREEN_PREFIX + shortReason + ".";
    // The reason goes to the error stream, beside the other refusals; the lines above keep
    // their words.
    std::fprintf(stderr, NOT_SAVED_FORMAT, shownPath(path).c_str(), reason.c_str());
    std::fflush(stderr);
}
