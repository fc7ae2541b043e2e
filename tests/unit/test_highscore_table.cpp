// The top-five table over its 60 bytes: ranking, merging, the console lines, and a write
// that never leaves a broken file behind.
#include "app/highscore_table.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace test_highscore_table {

namespace fs = std::filesystem;
using Bytes = std::string;

const char NAME[] = "Tester\0";  // the 7 name bytes as playerName holds them

// One 12-byte record: name padded with NULs to 7 bytes, byte 7, three score bytes, byte 11.
Bytes record(const std::string& name, const std::string& digits, char b7 = 0, char b11 = 0)
{
    Bytes r = name.substr(0, RECORD_NAME_SIZE);
    r.resize(RECORD_NAME_SIZE, '\0');
    r += b7;
    r += digits;
    r += b11;
    return r;
}

Bytes tableBytes(const std::vector<Bytes>& records)
{
    Bytes b;
    for (const Bytes& r : records) b += r;
    b.resize(HIGHSCORE_TABLE_SIZE, '\0');
    return b;
}

HighscoreTable tableOf(const Bytes& bytes)
{
    return tableFromBytes((const uint8_t*)bytes.data(), bytes.size());
}

Bytes bytesOf(const HighscoreTable& table) { return Bytes((const char*)&table, sizeof table); }

std::string digitsAt(const HighscoreTable& table, int i)
{
    return std::string((const char*)table.records[i].bytes + RECORD_SCORE_OFFSET,
                       SCORE_DIGIT_COUNT);
}

const std::vector<Bytes> FIVE = {record("ann", "050"), record("ben", "040"), record("cy", "030"),
                                 record("di", "020"), record("ed", "010")};

// A private directory for the file, removed after each test.
class HighscoreFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kerb-highscore-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir + "/" + HIGHSCORE_FILE;
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeFile(const Bytes& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    Bytes readFile() const
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> dirEntries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        return names;
    }
    std::string update(int score, HighscoreTable& table, WriteStep failAt = WriteStep::None)
    {
        char digits[SCORE_TEXT_SIZE];
        formatScoreText(score, digits);
        std::string console;
        updateHighscores(path, score, digits, NAME, table, console, failAt);
        return console;
    }

    std::string dir;
    std::string path;
};

TEST(HighscoreTable, RankingAndMergingOverTheSixtyBytes)
{
    struct Case {
        const char* what;
        std::vector<Bytes> records;
        int score;
        int position;
        std::vector<std::string> digitsAfter;  // the five score columns after the merge
    };
    const Bytes zeros(RECORD_SCORE_OFFSET, '\0');
    const std::vector<Case> cases = {
        {"a tie ranks below the old equal entry; 020 moves down, 010 drops out", FIVE, 30, 3,
         {"050", "040", "030", "030", "020"}},
        {"above all goes first", FIVE, 51, 0, {"051", "050", "040", "030", "020"}},
        {"equal to the best goes second", FIVE, 50, 1, {"050", "050", "040", "030", "020"}},
        {"just above the last replaces it", FIVE, 11, 4, {"050", "040", "030", "020", "011"}},
        {"below all is not in the best five", FIVE, 5, NOT_RANKED,
         {"050", "040", "030", "020", "010"}},
        {"equal to the last is not in the best five", FIVE, 10, NOT_RANKED,
         {"050", "040", "030", "020", "010"}},
        {"zero beats an empty record (-5328)", {}, 0, 0,
         {"000", Bytes(3, '\0'), Bytes(3, '\0'), Bytes(3, '\0'), Bytes(3, '\0')}},
        {"a short table's missing records are overtaken", {record("ann", "500")}, 0, 1,
         {"500", "000", Bytes(3, '\0'), Bytes(3, '\0'), Bytes(3, '\0')}},
        {"bytes from 0x80 count negative and are overtaken",
         {record("hi", "\x80\x80\x80"), record("lo", "001")}, 0, 0,
         {"000", "\x80\x80\x80", "001", Bytes(3, '\0'), Bytes(3, '\0')}},
        {"non-digits above '9' outrank every real score",
         {record("x", "A00"), record("y", "99:"), record("z", "999"), record("w", "999"),
          record("v", "999")},
         999, NOT_RANKED, {"A00", "99:", "999", "999", "999"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HighscoreTable table = tableOf(tableBytes(c.records));
        int position = rankPosition(table, c.score);
        EXPECT_EQ(position, c.position);
        if (position != NOT_RANKED) {
            char digits[SCORE_TEXT_SIZE];
            formatScoreText(c.score, digits);
            insertRecord(table, position, digits, NAME);
            EXPECT_EQ(std::memcmp(table.records[position].bytes, NAME, RECORD_NAME_SIZE), 0);
        }
        for (int i = 0; i < HIGHSCORE_RECORD_COUNT; ++i)
            EXPECT_EQ(digitsAt(table, i), c.digitsAfter[i]) << i;
    }
}

TEST(HighscoreTable, StoredScoresTakeEachByteAsASignedDigit)
{
    EXPECT_EQ(storedScore(tableOf(tableBytes({record("a", "007")})).records[0]), 7);
    EXPECT_EQ(storedScore(tableOf(tableBytes({record("a", "999")})).records[0]), 999);
    EXPECT_EQ(storedScore(tableOf(Bytes(HIGHSCORE_TABLE_SIZE, '\0')).records[0]), -5328);
    EXPECT_EQ(storedScore(tableOf(tableBytes({record("a", "\x80\x80\x80")})).records[0]),
              (-128 - 48) * 111);
    EXPECT_EQ(storedScore(tableOf(tableBytes({record("a", "\xff" "00")})).records[0]),
              (-1 - 48) * 100);
    EXPECT_EQ(storedScore(tableOf(tableBytes({record("a", "99:")})).records[0]), 1000);
}

TEST(HighscoreTable, TheNewRecordKeepsBytesSevenAndElevenOfTheOneItDisplaced)
{
    HighscoreTable table = tableOf(tableBytes({record("ann", "050", '|', '\n'),
                                               record("ben", "040", '#', '\r'),
                                               record("cy", "030", '+', '\t')}));
    insertRecord(table, 1, "045", NAME);
    Bytes expected =
        tableBytes({record("ann", "050", '|', '\n'), record("Tester", "045", '#', '\r'),
                    record("ben", "040", '#', '\r'), record("cy", "030", '+', '\t')});
    EXPECT_EQ(bytesOf(table), expected);
}

TEST(HighscoreTable, ScoresAreThreeDigitCharacters)
{
    char text[SCORE_TEXT_SIZE];
    formatScoreText(7, text);
    EXPECT_EQ(Bytes(text, sizeof text), Bytes("007\0", 4));
    formatScoreText(999, text);
    EXPECT_STREQ(text, "999");
    formatScoreText(40, text);
    EXPECT_STREQ(text, "040");
}

TEST(HighscoreTable, TheReadLinesEchoAtMostTwentyFiveBytesUpToTheFirstNul)
{
    HighscoreTable named = tableOf(tableBytes({record("Abcdefg", "050", '|', '\n'),
                                               record("Hijklmn", "040", '|', '\n'),
                                               record("Opqrstu", "030", '|', '\n')}));
    EXPECT_EQ(readReport(60, named),
              "Number of items read = 60\nContents of buffer = Abcdefg|050\nHijklmn|040\nO\n");
    EXPECT_EQ(readReport(12, tableOf(tableBytes({record("ann", "050")}))),
              "Number of items read = 12\nContents of buffer = ann\n");
    EXPECT_EQ(writtenReport(60), "Wrote 60 items\n");
}

TEST_F(HighscoreFileTest, TheFirstGameCreatesTheFileWithItsOneRecord)
{
    HighscoreTable table = {};
    EXPECT_EQ(update(7, table), "File could not be opened\nWrote 60 items\n");
    Bytes expected = Bytes(NAME, 7) + '\0' + "007" + '\0' + Bytes(48, '\0');
    EXPECT_EQ(readFile(), expected);
    EXPECT_EQ(bytesOf(table), expected);
    EXPECT_EQ(dirEntries(), std::vector<std::string>{HIGHSCORE_FILE});
}

TEST_F(HighscoreFileTest, ASecondGameRanksAgainstTheFirst)
{
    HighscoreTable table = {};
    update(7, table);
    EXPECT_EQ(update(7, table),
              "Number of items read = 60\nContents of buffer = Tester\nWrote 60 items\n");
    EXPECT_EQ(digitsAt(table, 0), "007");
    EXPECT_EQ(digitsAt(table, 1), "007");
    update(8, table);
    EXPECT_EQ(readFile(), tableBytes({record("Tester", "008"), record("Tester", "007"),
                                      record("Tester", "007")}));
}

TEST_F(HighscoreFileTest, AScoreOutsideTheBestFiveLeavesTheFileUntouched)
{
    Bytes old = tableBytes({record("ann", "050", 'a', 'b'), record("ben", "040"),
                            record("cy", "030"), record("di", "020"), record("ed", "010")});
    writeFile(old);
    struct stat before;
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    HighscoreTable table = {};
    EXPECT_EQ(update(5, table),
              "Number of items read = 60\nContents of buffer = ann\n not in the best five\n");
    struct stat after;
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(readFile(), old);
    EXPECT_EQ(after.st_ino, before.st_ino);  // not even replaced by an equal copy
    EXPECT_EQ(bytesOf(table), old);
}

TEST_F(HighscoreFileTest, AShortFileLeavesTheRestOfTheTableZero)
{
    writeFile(record("ann", "050") + Bytes("ben\0\0\0\0\0", 8));  // 20 bytes: a record and a half
    HighscoreTable table = {};
    EXPECT_EQ(update(3, table),
              "Number of items read = 20\nContents of buffer = ann\nWrote 60 items\n");
    EXPECT_EQ(readFile(), tableBytes({record("ann", "050"), record("Tester", "003"),
                                      record("ben", Bytes(3, '\0'))}));
}

TEST_F(HighscoreFileTest, ALongerFileIsReadForItsFirstSixtyBytesOnly)
{
    writeFile(tableBytes(FIVE) + "trailing");
    HighscoreTable table = {};
    EXPECT_EQ(update(45, table).substr(0, 26), "Number of items read = 60\n");
    // What followed the table is the player's and stays after the new table.
    Bytes after = readFile();
    EXPECT_EQ(after.size(), (size_t)HIGHSCORE_TABLE_SIZE + 8);
    EXPECT_EQ(after.substr(0, HIGHSCORE_TABLE_SIZE), bytesOf(table));
    EXPECT_EQ(after.substr(HIGHSCORE_TABLE_SIZE), "trailing");
}

TEST_F(HighscoreFileTest, ALongTailIsCopiedWholeAndAFailedWriteStillKeepsTheOldFile)
{
    Bytes tail(3 * 4096 + 17, 'n');
    for (size_t i = 0; i < tail.size(); ++i) tail[i] = (char)('a' + i % 26);
    Bytes old = tableBytes(FIVE) + tail;
    writeFile(old);
    HighscoreTable table = {};
    update(45, table, WriteStep::Sync);
    EXPECT_EQ(readFile(), old);
    update(45, table);
    EXPECT_EQ(readFile(), bytesOf(table) + tail);
    EXPECT_EQ(dirEntries(), std::vector<std::string>{HIGHSCORE_FILE});
}

TEST_F(HighscoreFileTest, AFailedWriteAtAnyStepKeepsTheOldFileByteForByte)
{
    Bytes old = tableBytes(FIVE);
    const WriteStep steps[] = {WriteStep::Create, WriteStep::Write, WriteStep::Flush,
                               WriteStep::Sync, WriteStep::Close, WriteStep::Rename};
    for (WriteStep step : steps) {
        SCOPED_TRACE((int)step);
        writeFile(old);
        HighscoreTable table = {};
        EXPECT_EQ(update(35, table, step), "Number of items read = 60\nContents of buffer = ann\n"
                                           "Problem opening the file\n");
        EXPECT_EQ(readFile(), old);
        EXPECT_EQ(dirEntries(), std::vector<std::string>{HIGHSCORE_FILE});
        // The merged table is still what the game shows, with why it was not saved.
        EXPECT_EQ(digitsAt(table, 1), "040");
        EXPECT_EQ(digitsAt(table, 2), "035");
        const std::string& shown = highscoreNotSavedText;
        EXPECT_EQ(shown.rfind("Your score was not saved: ", 0), 0u) << shown;
        EXPECT_NE(shown.find(" (Input/output error)."), std::string::npos) << shown;
    }
    // The next game that saves shows no such line.
    writeFile(old);
    HighscoreTable table = {};
    update(35, table, WriteStep::None);
    EXPECT_EQ(highscoreNotSavedText, "");
}

TEST_F(HighscoreFileTest, AFailedFirstWriteLeavesNoFileAtAll)
{
    HighscoreTable table = {};
    EXPECT_EQ(update(9, table, WriteStep::Write),
              "File could not be opened\nProblem opening the file\n");
    EXPECT_TRUE(dirEntries().empty());
    EXPECT_EQ(digitsAt(table, 0), "009");
}

TEST_F(HighscoreFileTest, ADirectoryThatIsGoneFailsCleanly)
{
    path = dir + "/missing/" + HIGHSCORE_FILE;
    HighscoreTable table = {};
    EXPECT_EQ(update(9, table), "File could not be opened\nProblem opening the file\n");
}

TEST_F(HighscoreFileTest, TheReplacedFileKeepsItsPermissions)
{
    writeFile(tableBytes(FIVE));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    HighscoreTable table = {};
    update(60, table);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(digitsAt(table, 0), "060");
}

TEST_F(HighscoreFileTest, SomethingOtherThanAFileInItsPlaceIsNotRead)
{
    // A FIFO would block a plain open; a directory reads as nothing.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    HighscoreTable table = {};
    EXPECT_EQ(readHighscoreFile(path, table), -1);
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(readHighscoreFile(path, table), -1);
    // Nor is it replaced: renaming a file over a non-empty directory fails.
    std::ofstream(path + "/keep") << "x";
    EXPECT_EQ(update(9, table), "File could not be opened\nProblem opening the file\n");
    EXPECT_TRUE(fs::is_directory(path));
}

}  // namespace test_highscore_table
