// Where the data is found and where the player's table is kept: the directories looked in,
// the player's directory from the environment, making it, and carrying an old table over.
#include "app/data_location.h"
#include "app/highscore_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace test_data_location {

namespace fs = std::filesystem;

using Bytes = std::string;

// Outside the anonymous namespace: the tests derived from it are not file-local.
class DataLocationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kerb-location-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = fs::canonical(pattern).string();
    }
    void TearDown() override
    {
        setTableLocation("", HIGHSCORE_FILE);
        fs::remove_all(dir);
    }

    void writeFile(const std::string& path, const Bytes& bytes)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    Bytes readFile(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> entries(const std::string& path) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir;
};

// Sixty bytes as an earlier game would have left them.
const Bytes OLD_TABLE = Bytes("ann    |050\n") + Bytes(48, '\0');

TEST(DataLocation, ThePlayersDirectoryComesFromXdgDataHomeOrHome)
{
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/srv/games", "/home/ann", "/srv/games/kerbrunner"},
        {nullptr, "/home/ann", "/home/ann/.local/share/kerbrunner"},
        {"", "/home/ann", "/home/ann/.local/share/kerbrunner"},
        // A relative XDG_DATA_HOME does not count.
        {"games/share", "/home/ann", "/home/ann/.local/share/kerbrunner"},
        {"/srv/games", nullptr, "/srv/games/kerbrunner"},
        {nullptr, nullptr, ""},
        {nullptr, "relative/home", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(playerTableDirectory(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

TEST(DataLocation, TheBuildTreeIsTriedBeforeTheInstallLayout)
{
    std::vector<std::string> expected = {"/opt/kr/bin/data",
                                         std::string("/opt/kr/bin/") + DATA_FROM_PROGRAM};
    EXPECT_EQ(dataDirectoryCandidates("/opt/kr/bin"), expected);
    EXPECT_EQ(std::string(DATA_FROM_PROGRAM).find('/') == 0, false) << "must stay relative";
    EXPECT_TRUE(dataDirectoryCandidates("").empty());
    EXPECT_EQ(dataDirectoryCandidates("/").front(), "/data");
}

TEST(DataLocation, TheProgramDirectoryIsTheTestsOwn)
{
    std::string programDir = programDirectory();
    ASSERT_FALSE(programDir.empty());
    EXPECT_TRUE(fs::exists(fs::path(programDir) / "unit_tests")) << programDir;
}

TEST_F(DataLocationTest, TheFirstCandidateWithTheProbeIsTaken)
{
    const std::string a = dir + "/a", b = dir + "/b", c = dir + "/c";
    fs::create_directories(a + "/textures/menu0.bmp");  // a directory, not a picture
    writeFile(b + "/textures/menu0.bmp", "BM");
    writeFile(c + "/textures/menu0.bmp", "BM");
    std::string lookedIn;
    EXPECT_EQ(findDataDirectory({dir + "/none", a, dir + "/./b", c}, "textures/menu0.bmp",
                                lookedIn),
              b);
    EXPECT_EQ(lookedIn, "  " + dir + "/none (textures/menu0.bmp is missing)\n  " + a +
                            " (textures/menu0.bmp is a directory)\n");

    lookedIn.clear();
    EXPECT_EQ(findDataDirectory({dir + "/none", a}, "textures/menu0.bmp", lookedIn), "");
    EXPECT_EQ(std::count(lookedIn.begin(), lookedIn.end(), '\n'), 2);
}

TEST_F(DataLocationTest, MakingThePlayersDirectoryCreatesItsParentsPrivately)
{
    mode_t oldMask = umask(022);
    std::string error;
    std::string target = dir + "/home/.local/share/kerbrunner";
    EXPECT_TRUE(makeDirectoryPath(target, error)) << error;
    umask(oldMask);
    EXPECT_TRUE(fs::is_directory(target));
    for (const std::string& p : {dir + "/home", dir + "/home/.local", target}) {
        struct stat st;
        ASSERT_EQ(stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }
    // There already, with or without a closing slash.
    EXPECT_TRUE(makeDirectoryPath(target, error));
    EXPECT_TRUE(makeDirectoryPath(target + "/", error));

    writeFile(dir + "/plain", "x");
    EXPECT_FALSE(makeDirectoryPath(dir + "/plain/kerbrunner", error));
    EXPECT_NE(error.find(dir + "/plain is not a directory"), std::string::npos) << error;
    EXPECT_FALSE(makeDirectoryPath("", error));
}

TEST_F(DataLocationTest, AnOldTableIsCopiedOnceAndNeverChanged)
{
    const std::string oldPath = dir + "/data/highscore.txt";
    const std::string newDir = dir + "/player";
    const std::string newPath = newDir + "/highscore.txt";
    fs::create_directories(newDir);

    // Nothing at the old place, or something that is no table: nothing is made.
    EXPECT_EQ(adoptOldTable(oldPath, newPath), TableAdoption::NothingToCopy);
    fs::create_directories(oldPath);
    EXPECT_EQ(adoptOldTable(oldPath, newPath), TableAdoption::NothingToCopy);
    fs::remove(oldPath);
    EXPECT_TRUE(entries(newDir).empty());

    writeFile(oldPath, OLD_TABLE);
    fs::permissions(oldPath, fs::perms(0640));
    EXPECT_EQ(adoptOldTable(oldPath, newPath), TableAdoption::Copied);
    EXPECT_EQ(readFile(newPath), OLD_TABLE);
    EXPECT_EQ(readFile(oldPath), OLD_TABLE);
    EXPECT_EQ(fs::status(newPath).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(entries(newDir), std::vector<std::string>{"highscore.txt"});  // no temporary left

    // A table at the new place is the player's: it is never replaced.
    writeFile(newPath, "newer");
    EXPECT_EQ(adoptOldTable(oldPath, newPath), TableAdoption::AlreadyThere);
    EXPECT_EQ(readFile(newPath), "newer");

    // No directory to copy into: failed, and nothing made.
    EXPECT_EQ(adoptOldTable(oldPath, dir + "/gone/highscore.txt"), TableAdoption::Failed);
    EXPECT_FALSE(fs::exists(dir + "/gone"));
}

TEST_F(DataLocationTest, TheFirstUseMakesTheDirectoryCopiesTheOldTableAndSaysSo)
{
    const std::string oldPath = dir + "/data/highscore.txt";
    const std::string playerDir = dir + "/xdg/kerbrunner";
    writeFile(oldPath, OLD_TABLE);
    setTableLocation(playerDir, oldPath);

    testing::internal::CaptureStderr();
    std::string first = preparePlayerTable();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(first, playerDir + "/highscore.txt");
    EXPECT_EQ(readFile(first), OLD_TABLE);
    EXPECT_NE(said.find(first), std::string::npos) << said;
    EXPECT_NE(said.find(oldPath), std::string::npos) << said;

    // The game that ends next uses that table, and the old file stays as it was.
    HighscoreTable table;
    std::string console;
    updateHighscores(first, 999, "999", "Zed\0\0\0\0", table, console);
    EXPECT_EQ(console, "Number of items read = 60\nContents of buffer = ann    |050\n\nWrote 60 items\n");
    EXPECT_EQ(readFile(oldPath), OLD_TABLE);

    testing::internal::CaptureStderr();
    EXPECT_EQ(preparePlayerTable(), first);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(readFile(first).substr(0, 3), "Zed");
}

TEST_F(DataLocationTest, WithoutAUsablePlayersDirectoryTheTableStaysInItsOldPlace)
{
    const std::string oldPath = dir + "/data/highscore.txt";
    setTableLocation("", oldPath);
    EXPECT_EQ(preparePlayerTable(), oldPath);

    writeFile(dir + "/plain", "x");
    setTableLocation(dir + "/plain/kerbrunner", oldPath);
    testing::internal::CaptureStderr();
    EXPECT_EQ(preparePlayerTable(), oldPath);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot create " + dir + "/plain/kerbrunner"), std::string::npos) << said;
}

TEST(DataLocation, TheLoginNameComesFromUserOrTheAccount)
{
    EXPECT_EQ(loginName("alice"), "alice");
    for (const char* unset : {(const char*)nullptr, ""}) {
        std::string name = loginName(unset);
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find(' '), std::string::npos) << name;
    }
}

}  // namespace test_data_location
