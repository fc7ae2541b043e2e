// Whole-file reads: contents, an empty file, and every kind of path that has none to give,
// a FIFO above all, which must never be waited on.
#include "platform/file_read.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <string>

namespace {

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

}  // namespace
