// Whole-file reads: contents, an empty file, and every kind of path that has none to give,
// a FIFO above all, which must never be waited on. And the writes that mirror them: a file
// replaced or created whole or not at all, and an output file that never waits on a FIFO.
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <set>
#include <string>

namespace test_file_read {

class FileRead : public testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/kerb-read-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string write(const char* name, const std::string& contents)
    {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    std::string read(const std::string& path)
    {
        FileReadResult r = readFile(path.c_str());
        return r.error == FileReadError::None ? std::string(r.bytes.begin(), r.bytes.end())
                                              : std::string("<") + fileReadErrorText(r.error) + ">";
    }
    size_t entries()
    {
        using std::filesystem::directory_iterator;
        return (size_t)std::distance(directory_iterator(dir), directory_iterator());
    }
    std::string dir;
};

TEST_F(FileRead, AWholeFileAndAnEmptyOne)
{
    std::string contents("MD2\0\xff tail", 10);
    FileReadResult r = readFile(write("model.md2", contents).c_str());
    EXPECT_EQ(r.error, FileReadError::None);
    EXPECT_EQ(std::string(r.bytes.begin(), r.bytes.end()), contents);

    r = readFile(write("empty.md2", "").c_str());
    EXPECT_EQ(r.error, FileReadError::None);
    EXPECT_TRUE(r.bytes.empty());
}

TEST_F(FileRead, PathsWithNothingToReadSayWhy)
{
    std::string file = write("plain.bmp", "x");
    const struct {
        std::string path;
        FileReadError error;
    } cases[] = {
        {dir + "/no-such.bmp", FileReadError::Missing},
        {file + "/below-a-file.bmp", FileReadError::Missing},
        {dir, FileReadError::Directory},
        {"/dev/null", FileReadError::NotRegular},
        {dir + "/" + std::string(5000, 'n'), FileReadError::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 80));
        FileReadResult r = readFile(c.path.c_str());
        EXPECT_EQ(r.error, c.error);
        EXPECT_TRUE(r.bytes.empty());
    }
}

TEST_F(FileRead, AFifoWithoutAWriterReturnsAtOnce)
{
    std::string fifo = dir + "/models.md2";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&fifo] { return readFile(fifo.c_str()); });
    if (read.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        // Give the blocked reader a writer so the test can end, then fail.
        int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
        FAIL() << "readFile waited on a FIFO";
    }
    FileReadResult r = read.get();
    EXPECT_EQ(r.error, FileReadError::NotRegular);
    EXPECT_TRUE(r.bytes.empty());
}

TEST_F(FileRead, AReplacementIsWholeOrLeavesTheOldFileAsItWas)
{
    const struct {
        const char* name;
        const char* old;  // null: no file there; "FIFO": a FIFO nobody writes to
        bool keepOldTail;
        WriteStep failAt;
        FileWriteError error;
        std::string after;
    } cases[] = {
        {"new", nullptr, true, WriteStep::None, FileWriteError::None, "NEW"},
        {"tail kept", "old table + notes", true, WriteStep::None, FileWriteError::None, "NEW table + notes"},
        {"tail dropped", "old table + notes", false, WriteStep::None, FileWriteError::None, "NEW"},
        {"no temporary file", "old", true, WriteStep::Create, FileWriteError::NotCreated, "old"},
        {"half written", "old", true, WriteStep::Write, FileWriteError::NotWritten, "old"},
        {"not synced", "old", false, WriteStep::Sync, FileWriteError::NotWritten, "old"},
        {"not renamed", "old", true, WriteStep::Rename, FileWriteError::NotPlaced, "old"},
        {"a FIFO's tail", "FIFO", true, WriteStep::None, FileWriteError::OldUnreadable, "<not a regular file>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir + "/highscore.txt";
        std::remove(path.c_str());
        if (c.old && std::string(c.old) == "FIFO") ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (c.old) write("highscore.txt", c.old);
        size_t before = entries();
        EXPECT_EQ(replaceFile(path.c_str(), (const uint8_t*)"NEW", 3, c.keepOldTail, c.failAt), c.error);
        EXPECT_EQ(read(path), c.after);
        EXPECT_EQ(entries(), c.old ? before : before + (c.error == FileWriteError::None));
    }
    std::string gone = dir + "/gone/highscore.txt";
    EXPECT_EQ(replaceFile(gone.c_str(), (const uint8_t*)"NEW", 3, true), FileWriteError::NotCreated);
}

TEST_F(FileRead, ACreatedFileNeverReplacesOneThatIsThere)
{
    std::string path = dir + "/copy.txt";
    EXPECT_EQ(createFileOnce(path.c_str(), (const uint8_t*)"copied", 6, 0640), FileWriteError::None);
    EXPECT_EQ(read(path), "copied");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(createFileOnce(path.c_str(), (const uint8_t*)"again", 5, 0600), FileWriteError::AlreadyThere);
    EXPECT_EQ(read(path), "copied");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileRead, AnOutputFileRefusesAFifoNobodyReadsAtOnce)
{
    std::string fifo = dir + "/trace";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string reason;
    auto opened = std::async(std::launch::async, [&] { return openOutputFileNoWait(fifo.c_str(), reason); });
    ASSERT_EQ(opened.wait_for(std::chrono::seconds(2)), std::future_status::ready)
        << "openOutputFileNoWait waited on a FIFO";
    EXPECT_EQ(opened.get(), nullptr);
    EXPECT_EQ(reason, OUTPUT_FIFO_UNREAD);

    std::string plain = write("trace.txt", "old contents");
    for (auto openFile : {openOutputFile, openOutputFileNoWait}) {
        std::FILE* f = openFile(plain.c_str(), reason);
        ASSERT_NE(f, nullptr);
        std::fputs("frame 1", f);
        EXPECT_EQ(std::fclose(f), 0);
        EXPECT_EQ(read(plain), "frame 1");
    }
    EXPECT_EQ(openOutputFile((dir + "/gone/trace").c_str(), reason), nullptr);
    EXPECT_EQ(reason, "No such file or directory");
}

TEST(FileReadText, EveryReasonHasItsOwnText)
{
    std::set<std::string> texts;
    for (FileReadError e : {FileReadError::Missing, FileReadError::Directory,
                            FileReadError::NotRegular, FileReadError::Unreadable,
                            FileReadError::OutOfMemory})
        texts.insert(fileReadErrorText(e));
    EXPECT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts.count(""), 0u);
    EXPECT_STREQ(fileReadErrorText(FileReadError::None), "");
}

}  // namespace test_file_read
