// Fuzz target: the top-five table over arbitrary file bytes, read, ranked and written back.
// Input: two bytes of score, seven of name, then the file's bytes. Every input runs the
// pure steps (table from bytes, rank, insert, the console lines); one in eight also runs the
// whole end-of-game update over a real file in a private temporary directory.
// The table stays its 60 bytes, a rank puts the score below every record it does not beat
// and above the first it does, an insert moves the others down by one, and the file is
// either left exactly as it was or replaced by the new 60 bytes followed by whatever the old
// file held past its first 60.
// Depends on: app/highscore_table.h, fuzz_check.h, POSIX.
#include "app/highscore_table.h"
#include "fuzz/fuzz_check.h"

#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const size_t SCORE_BYTES = 2;
const size_t PREFIX_SIZE = SCORE_BYTES + RECORD_NAME_SIZE;
const int SCORE_LIMIT = 1000;          // the game's scores run from 0 to 999
const int FILE_RUN_EVERY = 8;          // file writes are slow; most inputs test the pure steps
// Memory-backed when there is such a place, so that the write's fsync costs nothing.
const char* const TEMP_PARENTS[] = {"/dev/shm", "/tmp"};
const char* const TEMP_DIR_NAME = "/kerb-fuzz-highscore.XXXXXX";

std::string scratchDir;

std::string tablePath()
{
    if (scratchDir.empty()) {
        for (const char* parent : TEMP_PARENTS) {
            std::string pattern = std::string(parent) + TEMP_DIR_NAME;
            if (mkdtemp(&pattern[0])) {
                scratchDir = pattern;
                break;
            }
        }
        FUZZ_CHECK(!scratchDir.empty());
        std::atexit([] {
            unlink((scratchDir + "/" + HIGHSCORE_FILE).c_str());
            rmdir(scratchDir.c_str());
        });
    }
    return scratchDir + "/" + HIGHSCORE_FILE;
}

std::vector<uint8_t> fileBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    uint8_t buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

void writeBytes(const std::string& path, const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
    FUZZ_CHECK(std::fclose(f) == 0);
}

int entriesIn(const std::string& dir)
{
    DIR* d = opendir(dir.c_str());
    FUZZ_CHECK(d != nullptr);
    int count = 0;
    while (const dirent* e = readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) ++count;
    closedir(d);
    return count;
}

void checkRank(const HighscoreTable& table, int score, int position)
{
    int limit = position == NOT_RANKED ? HIGHSCORE_RECORD_COUNT : position;
    for (int p = 0; p < limit; ++p) FUZZ_CHECK(storedScore(table.records[p]) >= score);
    if (position != NOT_RANKED) {
        FUZZ_CHECK(position >= 0 && position < HIGHSCORE_RECORD_COUNT);
        FUZZ_CHECK(storedScore(table.records[position]) < score);
    }
}

// The table after insertRecord against the one before.
void checkInsert(const HighscoreTable& before, const HighscoreTable& after, int position,
                 int score, const char* digits, const char* name)
{
    for (int p = 0; p < position; ++p)
        FUZZ_CHECK(std::memcmp(&before.records[p], &after.records[p], HIGHSCORE_RECORD_SIZE) == 0);
    for (int p = position + 1; p < HIGHSCORE_RECORD_COUNT; ++p)
        FUZZ_CHECK(std::memcmp(&before.records[p - 1], &after.records[p],
                               HIGHSCORE_RECORD_SIZE) == 0);
    const HighscoreRecord& placed = after.records[position];
    const HighscoreRecord& displaced = before.records[position];
    FUZZ_CHECK(std::memcmp(placed.bytes, name, RECORD_NAME_SIZE) == 0);
    FUZZ_CHECK(std::memcmp(placed.bytes + RECORD_SCORE_OFFSET, digits, SCORE_DIGIT_COUNT) == 0);
    FUZZ_CHECK(placed.bytes[RECORD_NAME_SIZE] == displaced.bytes[RECORD_NAME_SIZE]);
    const int last = HIGHSCORE_RECORD_SIZE - 1;
    FUZZ_CHECK(placed.bytes[last] == displaced.bytes[last]);
    FUZZ_CHECK(storedScore(placed) == score);
    // An equal score later ranks below the new entry.
    int again = rankPosition(after, score);
    FUZZ_CHECK(again == NOT_RANKED || again > position);
}

void runFileUpdate(const uint8_t* file, size_t size, int score, const char* digits,
                   const char* name)
{
    std::string path = tablePath();
    writeBytes(path, file, size);
    HighscoreTable shown;
    std::string console;
    updateHighscores(path, score, digits, name, shown, console);
    std::vector<uint8_t> after = fileBytes(path);
    HighscoreTable read = tableFromBytes(file, size);
    int position = rankPosition(read, score);
    if (position == NOT_RANKED) {
        FUZZ_CHECK(after.size() == size);
        FUZZ_CHECK(size == 0 || std::memcmp(after.data(), file, size) == 0);
        FUZZ_CHECK(std::memcmp(&shown, &read, HIGHSCORE_TABLE_SIZE) == 0);
    } else {
        // The new table, then whatever followed the old one: never shorter than before.
        size_t table = HIGHSCORE_TABLE_SIZE;
        FUZZ_CHECK(after.size() == (size > table ? size : table));
        FUZZ_CHECK(std::memcmp(after.data(), &shown, HIGHSCORE_TABLE_SIZE) == 0);
        FUZZ_CHECK(size <= table ||
                   std::memcmp(after.data() + table, file + table, size - table) == 0);
    }
    // Nothing but the table is left in the directory: no temporary file lingers.
    FUZZ_CHECK(entriesIn(scratchDir) == 1);
    FUZZ_CHECK(console.find('\n') != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < PREFIX_SIZE) return 0;
    int score = (int)(((uint32_t)data[0] << 8 | data[1]) % SCORE_LIMIT);
    char name[RECORD_NAME_SIZE + 1] = {};
    std::memcpy(name, data + SCORE_BYTES, RECORD_NAME_SIZE);
    const uint8_t* file = data + PREFIX_SIZE;
    size_t fileSize = size - PREFIX_SIZE;

    HighscoreTable table = tableFromBytes(file, fileSize);
    size_t kept = fileSize < (size_t)HIGHSCORE_TABLE_SIZE ? fileSize : HIGHSCORE_TABLE_SIZE;
    const uint8_t* raw = (const uint8_t*)&table;
    FUZZ_CHECK(kept == 0 || std::memcmp(raw, file, kept) == 0);
    for (size_t i = kept; i < (size_t)HIGHSCORE_TABLE_SIZE; ++i) FUZZ_CHECK(raw[i] == 0);

    std::string report = readReport((int)kept, table);
    FUZZ_CHECK(!report.empty() && report.back() == '\n');

    char digits[SCORE_TEXT_SIZE];
    formatScoreText(score, digits);
    int position = rankPosition(table, score);
    checkRank(table, score, position);
    if (position != NOT_RANKED) {
        HighscoreTable before = table;
        insertRecord(table, position, digits, name);
        checkInsert(before, table, position, score, digits, name);
    }
    if (data[0] % FILE_RUN_EVERY == 0) runFileUpdate(file, fileSize, score, digits, name);
    return 0;
}
