// The top-five table of "highscore.txt": ranking and merging over its 60 bytes, reading the
// file, and replacing it without ever leaving a half-written table behind.
// Depends on: highscore_table.h, the C library, POSIX open/fsync/rename.
#include "app/highscore_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
const char* const TEMP_SUFFIX = ".XXXXXX";
const mode_t NEW_FILE_MODE = 0666;  // narrowed by the umask, as a file created by fopen is
const size_t TAIL_COPY_CHUNK = 4096;

std::string formatLine(const char* format, int value)
{
    char line[REPORT_LINE_SIZE];
    std::snprintf(line, sizeof line, format, value);
    return line;
}

std::string directoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t currentUmask()
{
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Makes the rename itself survive a crash; the table is already in place if this fails.
void syncDirectory(const std::string& dir)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Bytes past the table's 60 in the old file (the notes or line ends of a hand-made table) are
// the player's: they follow the new table, so the file never comes out shorter than it was.
// False when an old file that is there cannot be read to its end.
bool copyOldTail(const std::string& oldPath, std::FILE* out)
{
    int fd = open(oldPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && st.st_size > HIGHSCORE_TABLE_SIZE) {
        ok = lseek(fd, HIGHSCORE_TABLE_SIZE, SEEK_SET) == HIGHSCORE_TABLE_SIZE;
        char buffer[TAIL_COPY_CHUNK];
        while (ok) {
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            ok = std::fwrite(buffer, 1, (size_t)n, out) == (size_t)n;
        }
    }
    close(fd);
    return ok;
}

// Writes the table, then whatever followed it in the old file, into the open temporary file
// and closes it; false if any step failed.
bool fillTemporaryFile(int fd, const HighscoreTable& table, const std::string& oldPath,
                       WriteStep failAt)
{
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        return false;
    }
    size_t count = failAt == WriteStep::Write ? HIGHSCORE_TABLE_SIZE / 2 : HIGHSCORE_TABLE_SIZE;
    bool ok = std::fwrite(&table, 1, count, f) == (size_t)HIGHSCORE_TABLE_SIZE;
    ok = ok && copyOldTail(oldPath, f);
    ok = ok && failAt != WriteStep::Flush && std::fflush(f) == 0;
    ok = ok && failAt != WriteStep::Sync && fsync(fileno(f)) == 0;
    bool closed = std::fclose(f) == 0 && failAt != WriteStep::Close;
    return ok && closed;
}

}  // namespace

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

int readHighscoreFile(const std::string& path, HighscoreTable& table)
{
    // Non-blocking, so that a FIFO in the table's place cannot hold the game up.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    uint8_t bytes[HIGHSCORE_TABLE_SIZE];
    size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t n = read(fd, bytes + got, sizeof bytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += (size_t)n;
    }
    close(fd);
    table = tableFromBytes(bytes, got);
    return (int)got;
}

bool writeHighscoreFile(const std::string& path, const HighscoreTable& table, WriteStep failAt)
{
    struct stat old;
    bool hadOld = stat(path.c_str(), &old) == 0;
    // A table its owner made read-only stays as it is.
    if (hadOld && access(path.c_str(), W_OK) != 0) return false;

    std::string pattern = path + TEMP_SUFFIX;
    std::vector<char> tempPath(pattern.begin(), pattern.end());
    tempPath.push_back('\0');
    int fd = failAt == WriteStep::Create ? -1 : mkstemp(tempPath.data());
    if (fd < 0) return false;
    mode_t mode = hadOld ? (old.st_mode & 07777) : (NEW_FILE_MODE & ~currentUmask());
    fchmod(fd, mode);

    bool ok = fillTemporaryFile(fd, table, path, failAt);
    ok = ok && failAt != WriteStep::Rename && std::rename(tempPath.data(), path.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.data());
        return false;
    }
    syncDirectory(directoryOf(path));
    return true;
}

void updateHighscores(const std::string& path, int score, const char* scoreDigits,
                      const char* name, HighscoreTable& table, std::string& console,
                      WriteStep failAt)
{
    table = HighscoreTable{};
    int itemsRead = readHighscoreFile(path, table);
    if (itemsRead >= 0) console += readReport(itemsRead, table);
    else console += FILE_NOT_OPENED_LINE;

    int position = rankPosition(table, score);
    if (position == NOT_RANKED) {
        console += NOT_IN_BEST_FIVE_LINE;
        return;
    }
    insertRecord(table, position, scoreDigits, name);
    if (writeHighscoreFile(path, table, failAt)) console += writtenReport(HIGHSCORE_TABLE_SIZE);
    else console += WRITE_FAILED_LINE;
}
