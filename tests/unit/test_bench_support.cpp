// What the benchmark runs rely on: the frame-time summary (one definition of median and
// 95th percentile for every figure) and the hidden benchmark options of the command line.
#include "app/frame_stats.h"
#include "app/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test_bench_support {

struct SummaryCase {
    const char* what;
    std::vector<double> times;
    double median, p95, mean;
};

TEST(FrameTimeSummary, MedianPercentileAndMean)
{
    std::vector<double> twenty, hundred;
    for (int i = 20; i >= 1; --i) twenty.push_back(i);  // unsorted on purpose
    for (int i = 1; i <= 100; ++i) hundred.push_back(i);
    const SummaryCase cases[] = {
        {"one frame", {7.5}, 7.5, 7.5, 7.5},
        {"two frames: the upper middle", {1, 3}, 3, 3, 2},
        {"odd count, unsorted", {9, 1, 5}, 5, 9, 5},
        // 95 % of 20 is exactly 19 values: the 19th, not the 20th.
        {"twenty frames", twenty, 11, 19, 10.5},
        {"a hundred frames", hundred, 51, 95, 50.5},
        // One slow frame in twenty is inside the 5 % the percentile leaves out.
        {"one slow frame in twenty", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 50},
         1, 1, 3.45},
        {"two slow frames in twenty", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 50, 50},
         1, 50, 5.9},
    };
    for (const SummaryCase& c : cases) {
        FrameTimeSummary s = summariseFrameTimes(c.times);
        EXPECT_EQ(s.count, c.times.size()) << c.what;
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.what;
        EXPECT_DOUBLE_EQ(s.p95, c.p95) << c.what;
        EXPECT_NEAR(s.mean, c.mean, 1e-12) << c.what;
    }
}

TEST(FrameTimeSummary, NoFramesGiveZeros)
{
    FrameTimeSummary s = summariseFrameTimes({});
    EXPECT_EQ(s.count, 0u);
    EXPECT_EQ(s.median, 0.0);
    EXPECT_EQ(s.p95, 0.0);
    EXPECT_EQ(s.mean, 0.0);
}

bool parse(std::vector<const char*> args, Options& o, std::string& error)
{
    args.insert(args.begin(), "kerbrunner");
    return parseOptions((int)args.size(), const_cast<char**>(args.data()), o, error);
}

TEST(BenchmarkOptions, AreReadAndOffByDefault)
{
    Options plain, bench;
    std::string error;
    ASSERT_TRUE(parse({"--windowed"}, plain, error)) << error;
    EXPECT_FALSE(plain.benchStartup);
    EXPECT_EQ(plain.benchFloorsFrame, 0);
    ASSERT_TRUE(parse({"--bench-startup", "--bench-floors", "1100"}, bench, error)) << error;
    EXPECT_TRUE(bench.benchStartup);
    EXPECT_EQ(bench.benchFloorsFrame, 1100);
}

TEST(BenchmarkOptions, BadFrameNumbersAreRefused)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bench-floors"},          {"--bench-floors", "0"},   {"--bench-floors", "-5"},
        {"--bench-floors", "12x"},   {"--bench-floors", ""},    {"--bench-floors", "1e3"},
        {"--bench-floors", "86400001"},
    };
    for (const auto& args : bad) {
        Options o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error)) << (args.size() > 1 ? args[1] : "no value");
        EXPECT_NE(error.find("--bench-floors"), std::string::npos) << error;
    }
    Options o;
    std::string error;
    EXPECT_TRUE(parse({"--bench-floors", "86400000"}, o, error)) << error;
}

TEST(BenchmarkOptions, StayOutOfTheHelp)
{
    EXPECT_EQ(usageText().find("--bench"), std::string::npos);
}

}  // namespace test_bench_support
