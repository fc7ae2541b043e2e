// The top-five table of "highscore.txt": five 12-byte records, ranked, merged and written back.
// Depends on: platform/file_write.h (WriteStep); its file reads and writes go through platform/.
#pragma once
#include "platform/file_write.h"  // WriteStep

#include <cstddef>
#include <cstdint>
#include <string>

const int HIGHSCORE_RECORD_COUNT = 5;
const int HIGHSCORE_RECORD_SIZE = 12;
const int HIGHSCORE_TABLE_SIZE = HIGHSCORE_RECORD_COUNT * HIGHSCORE_RECORD_SIZE;  // 60
const int RECORD_NAME_SIZE = 7;       // bytes 0..6: the player's name
const int RECORD_SCORE_OFFSET = 8;    // bytes 8..10: three ASCII digits, hundreds first
const int SCORE_DIGIT_COUNT = 3;
const int SCORE_TEXT_SIZE = SCORE_DIGIT_COUNT + 1;  // the digits and a NUL
const int CONTENTS_SHOWN_LIMIT = 25;  // bytes of the table echoed after reading it
const int NOT_RANKED = -1;
// The largest table file read or written back: the 60 bytes and the notes a player keeps
// after them. The game's own table is 60 bytes; a larger file is neither adopted from the
// data directory nor rewritten (its tail would be copied whole at every game's end).
const uint64_t HIGHSCORE_MAX_FILE_SIZE = 64 * 1024;

extern const char* const HIGHSCORE_FILE;  // "highscore.txt"

// Console lines of the end-of-game step.
extern const char* const ITEMS_READ_FORMAT;      // "Number of items read = %d\n"
extern const char* const CONTENTS_FORMAT;        // "Contents of buffer = %.25s\n"
extern const char* const FILE_NOT_OPENED_LINE;   // "File could not be opened\n"
extern const char* const NOT_IN_BEST_FIVE_LINE;  // " not in the best five\n"
extern const char* const ITEMS_WRITTEN_FORMAT;   // "Wrote %d items\n"
extern const char* const WRITE_FAILED_LINE;      // "Problem opening the file\n"

// One record: name (0..6), a byte the game carries along (7), score digits (8..10), and a
// second carried byte (11).
struct HighscoreRecord {
    uint8_t bytes[HIGHSCORE_RECORD_SIZE];
};

// The file's 60 bytes, best first, exactly as they are stored.
struct HighscoreTable {
    HighscoreRecord records[HIGHSCORE_RECORD_COUNT];
};
static_assert(sizeof(HighscoreTable) == HIGHSCORE_TABLE_SIZE, "the table is the file's 60 bytes");

// The table shown from the end of the game on.
extern HighscoreTable highscoreTable;

// The table over up to 60 bytes of a file; bytes it does not reach stay zero.
HighscoreTable tableFromBytes(const uint8_t* data, size_t size);
// The digits as stored, each byte taken as a signed 8-bit value and not checked to be a
// digit: an all-zero record scores -5328.
int storedScore(const HighscoreRecord& record);
// The first position whose stored score is strictly below the score (ties rank below the
// older entries), or NOT_RANKED.
int rankPosition(const HighscoreTable& table, int score);
// Moves the records from position down by one (the last one drops out) and fills the
// name and the score digits in; bytes 7 and 11 stay those of the record displaced.
void insertRecord(HighscoreTable& table, int position, const char* scoreDigits,
                  const char* name);
// The three ASCII digits of a score from 0 to 999 and a NUL.
void formatScoreText(int score, char* text);

// The two lines printed after reading the file.
std::string readReport(int itemsRead, const HighscoreTable& table);
std::string writtenReport(int itemsWritten);

// Reads up to 60 bytes of the file into the table (the rest zero) and returns how many
// were read, or -1 when the path is not a readable regular file. fileSize, when given, gets
// the file's whole size.
int readHighscoreFile(const std::string& path, HighscoreTable& table,
                      uint64_t* fileSize = nullptr);

// Replaces the file with the table's 60 bytes through a temporary file in the same directory,
// so the old table stays whole until the new one is complete. Bytes the old file held past
// its first 60 follow the new table unchanged: the file never gets shorter. On any failure the old file is
// left as it was, the temporary file is removed and the result is false.
// Written through replaceFile; failAt makes that step fail, for tests (a failed Write has
// written half of the bytes). A table that is a symbolic link is written through to the file
// it leads to (replaced whole in that file's directory); the link stays. Returns why the
// table was not written ("cannot be written (No space left on device)"...), empty when it was.
std::string writeHighscoreFile(const std::string& path, const HighscoreTable& table,
                        WriteStep failAt = WriteStep::None);

// The end of a game: reads the file at path, ranks the score, writes the file back when the
// score made the table. All of it holds the lock file path + ".lock" (removed afterwards);
// a game that cannot take it within 5 seconds keeps the old table. Stale temporaries of a
// killed write are removed under the lock. A score that made the table but could not be
// saved is said on stderr with the reason ("kerbrunner: your score was not saved in PATH:
// REASON"). The table to show is left in table; the console lines are
// appended to console. scoreDigits are the three digits shown for the score.
// The line the table screen shows under the table when the last updateHighscores ranked the
// score but could not save it ("Your score was not saved: REASON."), empty otherwise.
extern std::string highscoreNotSavedText;
void updateHighscores(const std::string& path, int score, const char* scoreDigits,
                      const char* name, HighscoreTable& table, std::string& console,
                      WriteStep failAt = WriteStep::None);
